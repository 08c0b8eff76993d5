#include "tools/InputStream.h"

#include "analysis/FileErrors.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr std::int64_t MaxBytes = std::int64_t{1} << 30;

[[noreturn]] void ReadFailed(const std::string& FileName, int Error) {
  throw EFOpenError(OpenErrorMessage(FullFileName(FileName), SystemErrorText(Error)));
}

} // namespace

TInputStream::TInputStream(const std::string& FileName)
    : FFileName(FileName), FFile(std::fopen(FileName.c_str(), "rb")) {
  if (!FFile) ReadFailed(FileName, errno);
}

TInputStream::~TInputStream() {
  std::fclose(FFile);
}

void TInputStream::ReadUpTo(std::int64_t End) {
  if (End > MaxBytes) throw Exception("vbdtool は 1 GB を超えるデータを読めません: " + FFileName);
  // A block at a time, so that what is kept is what arrived, not what
  // was asked for.
  constexpr std::int64_t Block = 1 << 16;
  while (Size() < End && !std::feof(FFile)) {
    const std::size_t Have = FBytes.size();
    FBytes.resize(Have + static_cast<std::size_t>(std::min(End - Size(), Block)));
    const std::size_t N = std::fread(FBytes.data() + Have, 1, FBytes.size() - Have, FFile);
    FBytes.resize(Have + N);
    if (std::ferror(FFile)) ReadFailed(FFileName, errno);
  }
}

bool TInputStream::CanRead(std::int64_t Count) {
  ReadUpTo(FPosition + Count);
  return Count <= Remaining();
}

std::size_t TInputStream::Read(void* Buffer, std::size_t Count) {
  ReadUpTo(FPosition + static_cast<std::int64_t>(Count));
  const auto N = static_cast<std::size_t>(std::min<std::int64_t>(Remaining(), Count));
  if (N > 0) std::memcpy(Buffer, FBytes.data() + FPosition, N);
  FPosition += static_cast<std::int64_t>(N);
  return N;
}
