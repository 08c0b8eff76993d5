#include "analysis/Stream.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemErrorText(int Error) {
  return std::strerror(Error);
}

std::string OpenErrorMessage(const std::string& FullName, int Error) {
  return "ファイル \"" + FullName + "\". " + SystemErrorText(Error) + " は開けません";
}

std::string CreateErrorMessage(const std::string& FullName, int Error) {
  return "ファイル \"" + FullName + "\". " + SystemErrorText(Error) + " を作成できません";
}

} // namespace

std::string FullFileName(const std::string& FileName) {
  std::error_code Ec;
  std::filesystem::path Full = std::filesystem::absolute(FileName, Ec);
  return Ec ? FileName : Full.lexically_normal().string();
}

std::int64_t TStream::Remaining() const {
  return std::max<std::int64_t>(0, Size() - Position());
}

// ---- TMemoryStream

std::size_t TMemoryStream::Read(void* Buffer, std::size_t Count) {
  if (FPosition >= FBytes.size()) return 0;
  const std::size_t N = std::min(Count, FBytes.size() - FPosition);
  std::memcpy(Buffer, FBytes.data() + FPosition, N);
  FPosition += N;
  return N;
}

std::size_t TMemoryStream::Write(const void* Buffer, std::size_t Count) {
  if (Count == 0) return 0;
  if (FPosition + Count > FBytes.size()) FBytes.resize(FPosition + Count);
  std::memcpy(FBytes.data() + FPosition, Buffer, Count);
  FPosition += Count;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Position) {
  FPosition = static_cast<std::size_t>(std::max<std::int64_t>(0, Position));
  return static_cast<std::int64_t>(FPosition);
}

// ---- TFileReadStream

TFileReadStream::TFileReadStream(const std::string& FileName) {
  const std::string FullName = FullFileName(FileName);
  FFile = std::fopen(FileName.c_str(), "rb");
  if (!FFile) throw EFOpenError(OpenErrorMessage(FullName, errno));
  struct stat St {};
  int Error = 0;
  if (fstat(fileno(FFile), &St) != 0)
    Error = errno;
  else if (S_ISDIR(St.st_mode))
    Error = EISDIR;
  if (Error != 0) {
    std::fclose(FFile);
    throw EFOpenError(OpenErrorMessage(FullName, Error));
  }
  FSize = S_ISREG(St.st_mode) ? static_cast<std::int64_t>(St.st_size) : 0;
}

TFileReadStream::~TFileReadStream() {
  std::fclose(FFile);
}

std::size_t TFileReadStream::Read(void* Buffer, std::size_t Count) {
  return std::fread(Buffer, 1, Count, FFile);
}

std::size_t TFileReadStream::Write(const void*, std::size_t) {
  return 0;
}

std::int64_t TFileReadStream::Seek(std::int64_t Position) {
  std::fseek(FFile, static_cast<long>(Position), SEEK_SET);
  return this->Position();
}

std::int64_t TFileReadStream::Position() const {
  return std::ftell(FFile);
}

// ---- TSafeFileWriteStream

TSafeFileWriteStream::TSafeFileWriteStream(const std::string& FileName)
    : FTarget(FullFileName(FileName)) {
  namespace fs = std::filesystem;
  // Replace what a symbolic link points at, not the link itself.
  std::error_code Ec;
  if (fs::is_symlink(FTarget, Ec)) {
    fs::path Resolved = fs::weakly_canonical(FTarget, Ec);
    if (!Ec) FTarget = Resolved.string();
  }
  if (fs::is_directory(FTarget, Ec)) Fail(EISDIR);

  FTempName = FTarget + ".XXXXXX";
  const int Fd = mkstemp(FTempName.data());
  if (Fd < 0) {
    const int Error = errno;
    FTempName.clear();
    Fail(Error);
  }
  // Keep the permissions of the file being replaced; a new file gets the
  // usual 0666 less the umask.
  struct stat St {};
  mode_t Mode;
  if (stat(FTarget.c_str(), &St) == 0) {
    Mode = St.st_mode & 07777;
  } else {
    const mode_t Mask = umask(0);
    umask(Mask);
    Mode = 0666 & ~Mask;
  }
  fchmod(Fd, Mode);
  FFile = fdopen(Fd, "wb");
  if (!FFile) {
    const int Error = errno;
    close(Fd);
    Fail(Error);
  }
}

TSafeFileWriteStream::~TSafeFileWriteStream() {
  if (FFile) std::fclose(FFile);
  if (!FTempName.empty()) unlink(FTempName.c_str());
}

void TSafeFileWriteStream::Fail(int Error) {
  throw EFCreateError(CreateErrorMessage(FTarget, Error));
}

std::size_t TSafeFileWriteStream::Read(void*, std::size_t) {
  return 0;
}

std::size_t TSafeFileWriteStream::Write(const void* Buffer, std::size_t Count) {
  const std::size_t N = std::fwrite(Buffer, 1, Count, FFile);
  if (N != Count) Fail(errno != 0 ? errno : EIO);
  return N;
}

std::int64_t TSafeFileWriteStream::Seek(std::int64_t Position) {
  if (std::fseek(FFile, static_cast<long>(Position), SEEK_SET) != 0) Fail(errno);
  return this->Position();
}

std::int64_t TSafeFileWriteStream::Position() const {
  return std::ftell(FFile);
}

std::int64_t TSafeFileWriteStream::Size() const {
  struct stat St {};
  std::fflush(FFile);
  return fstat(fileno(FFile), &St) == 0 ? static_cast<std::int64_t>(St.st_size) : 0;
}

void TSafeFileWriteStream::Commit() {
  errno = 0;
  if (std::fflush(FFile) != 0) Fail(errno != 0 ? errno : EIO);
  if (fsync(fileno(FFile)) != 0) Fail(errno);
  std::FILE* File = FFile;
  FFile = nullptr;
  if (std::fclose(File) != 0) Fail(errno != 0 ? errno : EIO);
  if (std::rename(FTempName.c_str(), FTarget.c_str()) != 0) Fail(errno);
  FTempName.clear();
}
