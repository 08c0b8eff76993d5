#include "analysis/SaveInPlace.h"

#include "analysis/FileErrors.h"
#include "analysis/SafeSave.h"
#include "platform/Exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

// An open file descriptor, closed when it goes.
class TFd {
public:
  explicit TFd(int Fd) : FFd(Fd) {}
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd() {
    if (FFd >= 0) close(FFd);
  }
  int Get() const { return FFd; }

private:
  int FFd;
};

// 0 or the error.
int ReadAll(int Fd, std::vector<std::uint8_t>& Bytes, off_t Size) {
  Bytes.resize(static_cast<std::size_t>(Size));
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t N = pread(Fd, Bytes.data() + Done, Bytes.size() - Done, static_cast<off_t>(Done));
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) return errno;
    if (N == 0) break; // shorter than it was a moment ago: keep what is there
    Done += static_cast<std::size_t>(N);
  }
  Bytes.resize(Done);
  return 0;
}

// Bytes from the start of the file, then the file cut to their length and
// synced. 0 or the error.
int WriteFromStart(int Fd, const std::vector<std::uint8_t>& Bytes) {
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t N =
        pwrite(Fd, Bytes.data() + Done, Bytes.size() - Done, static_cast<off_t>(Done));
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) return errno;
    if (N == 0) return EIO;
    Done += static_cast<std::size_t>(N);
  }
  if (ftruncate(Fd, static_cast<off_t>(Bytes.size())) != 0) return errno;
  return fsync(Fd) == 0 ? 0 : errno;
}

// Claims room for Size bytes, so that a full disk is usually met before the
// old bytes are touched. 0 or the error; a file system that cannot claim
// room ahead is no error.
int ClaimRoom(int Fd, std::size_t Size) {
  if (Size == 0 || fallocate(Fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(Size)) == 0) return 0;
  return errno == EOPNOTSUPP ? 0 : errno;
}

// "20261208-093015-beam.vbd": the time of the save, then the file's name.
std::string RecoveryName(const std::string& Path) {
  char Stamp[32];
  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  std::strftime(Stamp, sizeof Stamp, "%Y%m%d-%H%M%S-", &Local);
  return Stamp + std::filesystem::path(Path).filename().string();
}

// Saves Bytes as a new file in the recovery folder; its path, or empty
// when that failed too.
std::string SaveRecoveryCopy(const std::string& Path, const std::vector<std::uint8_t>& Bytes) {
  std::error_code Ec;
  const std::filesystem::path Folder = RecoveryFolder();
  std::filesystem::create_directories(Folder, Ec);
  if (Ec) return {};
  const std::string Copy = (Folder / RecoveryName(Path)).string();
  try {
    // A note that it is not confirmed on disk changes nothing here: the
    // message already says the save failed.
    static_cast<void>(WriteFileSafely(Copy, Bytes));
  } catch (const Exception&) {
    return {};
  }
  return Copy;
}

[[noreturn]] void Fail(const std::string& Shown, int Error) {
  throw EFCreateError(CreateErrorMessage(Shown, SystemErrorText(Error)));
}

// Writing failed with Error after it began: the old bytes go back, or the
// document goes to a recovery file and the message says so.
[[noreturn]] void FailAfterWriting(const std::string& Shown, int Fd, int Error,
                                   const std::vector<std::uint8_t>& Old,
                                   const std::vector<std::uint8_t>& Bytes) {
  if (WriteFromStart(Fd, Old) == 0) Fail(Shown, Error);
  const std::string Copy = SaveRecoveryCopy(Shown, Bytes);
  throw EFCreateError(DamagedFileMessage(Shown, SystemErrorText(Error), Copy));
}

} // namespace

std::string RecoveryFolder() {
  const char* Data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path Base;
  if (Data && *Data == '/') {
    Base = Data;
  } else {
    const char* Home = std::getenv("HOME");
    Base = std::filesystem::path(Home && *Home ? Home : "/tmp") / ".local" / "share";
  }
  return (Base / "vantrel" / "recovery").string();
}

void OverwriteInPlace(const std::string& Shown, const std::string& Path,
                      const struct stat& Expected, const std::vector<std::uint8_t>& Bytes) {
  // Read and write: what cannot be read back cannot be put back.
  const TFd File(open(Path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (File.Get() < 0) Fail(Shown, errno);
  struct stat St {};
  if (fstat(File.Get(), &St) != 0) Fail(Shown, errno);
  // Replaced meanwhile: nothing is written over a stranger.
  if (St.st_dev != Expected.st_dev || St.st_ino != Expected.st_ino) Fail(Shown, ENOENT);
  std::vector<std::uint8_t> Old;
  if (const int Error = ReadAll(File.Get(), Old, St.st_size)) Fail(Shown, Error);
  if (const int Error = ClaimRoom(File.Get(), Bytes.size())) Fail(Shown, Error);
  if (const int Error = WriteFromStart(File.Get(), Bytes))
    FailAfterWriting(Shown, File.Get(), Error, Old, Bytes);
}
