#include "analysis/Stream.h"

#include "analysis/FileErrors.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

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

std::span<const std::uint8_t> TMemoryStream::Buffered() {
  if (FPosition >= FBytes.size()) return {};
  return std::span<const std::uint8_t>(FBytes).subspan(FPosition);
}

std::int64_t TMemoryStream::Seek(std::int64_t Position) {
  FPosition = static_cast<std::size_t>(std::max<std::int64_t>(0, Position));
  return static_cast<std::int64_t>(FPosition);
}

// ---- TFileReadStream

TFileReadStream::TFileReadStream(const std::string& FileName) {
  const std::string FullName = FullFileName(FileName);
  // Look before opening: opening a device can already do something.
  struct stat St {};
  if (stat(FileName.c_str(), &St) == 0 && !S_ISREG(St.st_mode))
    throw EFOpenError(OpenErrorMessage(FullName, FileTypeText(St.st_mode)));
  FFd = open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (FFd < 0) throw EFOpenError(OpenErrorMessage(FullName, SystemErrorText(errno)));
  // The name may have been given to another file in between.
  std::string Reason;
  if (fstat(FFd, &St) != 0)
    Reason = SystemErrorText(errno);
  else if (!S_ISREG(St.st_mode))
    Reason = FileTypeText(St.st_mode);
  if (!Reason.empty()) {
    close(FFd);
    throw EFOpenError(OpenErrorMessage(FullName, Reason));
  }
  FSize = static_cast<std::int64_t>(St.st_size);
}

TFileReadStream::~TFileReadStream() {
  close(FFd);
}

namespace {

constexpr std::int64_t ReadBlock = 256 * 1024;

// pread of up to Count bytes at Offset, retried when interrupted; what
// arrived, 0 at the end or on an error.
std::size_t ReadAt(int Fd, void* Buffer, std::size_t Count, std::int64_t Offset) {
  for (;;) {
    const ssize_t N = pread(Fd, Buffer, Count, Offset);
    if (N < 0 && errno == EINTR) continue;
    return N > 0 ? static_cast<std::size_t>(N) : 0;
  }
}

} // namespace

bool TFileReadStream::FillBuffer() {
  if (FBuffer.empty())
    FBuffer.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(FSize, 4096, ReadBlock)));
  FBufferStart = FPosition;
  FBuffered = ReadAt(FFd, FBuffer.data(), FBuffer.size(), FPosition);
  return FBuffered > 0;
}

std::span<const std::uint8_t> TFileReadStream::Buffered() {
  std::int64_t Offset = FPosition - FBufferStart;
  if (Offset < 0 || Offset >= static_cast<std::int64_t>(FBuffered)) {
    if (!FillBuffer()) return {};
    Offset = 0;
  }
  return std::span<const std::uint8_t>(FBuffer.data(), FBuffered)
      .subspan(static_cast<std::size_t>(Offset));
}

std::size_t TFileReadStream::Read(void* Buffer, std::size_t Count) {
  auto* Out = static_cast<std::uint8_t*>(Buffer);
  std::size_t Done = 0;
  while (Done < Count) {
    const std::int64_t Offset = FPosition - FBufferStart;
    if (Offset >= 0 && Offset < static_cast<std::int64_t>(FBuffered)) {
      const std::size_t N = std::min(Count - Done, FBuffered - static_cast<std::size_t>(Offset));
      std::memcpy(Out + Done, FBuffer.data() + Offset, N);
      Done += N;
      FPosition += static_cast<std::int64_t>(N);
      continue;
    }
    if (Count - Done >= static_cast<std::size_t>(ReadBlock)) {
      // A large read goes straight to the caller's buffer.
      const std::size_t N = ReadAt(FFd, Out + Done, Count - Done, FPosition);
      if (N == 0) break; // the end, or an error: the caller sees a short read
      Done += N;
      FPosition += static_cast<std::int64_t>(N);
      continue;
    }
    if (!FillBuffer()) break;
  }
  return Done;
}

std::size_t TReadOnlyStream::Write(const void*, std::size_t) {
  return 0;
}

std::int64_t TReadOnlyStream::Seek(std::int64_t Position) {
  FPosition = std::clamp<std::int64_t>(Position, 0, SeekLimit());
  return FPosition;
}

std::int64_t TReadOnlyStream::SeekLimit() const {
  return std::numeric_limits<std::int64_t>::max();
}
