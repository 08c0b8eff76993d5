#pragma once

#include "analysis/Stream.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A file read once from its start, only as far as its reader asks: a
// regular file, a pipe, /dev/stdin, a device. What was read is kept, so
// that CanRead can look ahead; its size is what was read so far. Nothing
// past 1 GiB is ever read: asking for it fails with Exception. A file that
// cannot be opened or read fails with EFOpenError.
class TInputStream : public TReadOnlyStream {
public:
  explicit TInputStream(const std::string& FileName);
  ~TInputStream() override;

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FBytes.size()); }
  bool CanRead(std::int64_t Count) override;

private:
  // Reads on until End bytes were read or the file ends.
  void ReadUpTo(std::int64_t End);

  std::string FFileName;
  std::FILE* FFile;
  std::vector<std::uint8_t> FBytes;
};
