#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A byte stream with a position, in the manner of the data file's readers
// and writers: Read and Write return how many bytes they moved.
class TStream {
public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  virtual ~TStream() = default;

  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
  virtual std::size_t Write(const void* Buffer, std::size_t Count) = 0;
  // Moves to an absolute position and returns it.
  virtual std::int64_t Seek(std::int64_t Position) = 0;
  virtual std::int64_t Position() const = 0;
  virtual std::int64_t Size() const = 0;

  // Bytes between the position and the end (0 when positioned past it).
  std::int64_t Remaining() const;
};

// A stream over a growable byte buffer.
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> Bytes) : FBytes(std::move(Bytes)) {}

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::size_t Write(const void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Position) override;
  std::int64_t Position() const override { return FPosition; }
  std::int64_t Size() const override { return static_cast<std::int64_t>(FBytes.size()); }

  const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

private:
  std::vector<std::uint8_t> FBytes;
  std::size_t FPosition = 0;
};

// An existing file opened read-only. Fails with EFOpenError.
class TFileReadStream : public TStream {
public:
  explicit TFileReadStream(const std::string& FileName);
  ~TFileReadStream() override;

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::size_t Write(const void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Position) override;
  std::int64_t Position() const override;
  std::int64_t Size() const override { return FSize; }

private:
  std::FILE* FFile = nullptr;
  std::int64_t FSize = 0;
};

// Writes a file so that the old contents survive any failure: the bytes go
// to a temporary file beside the target, which replaces the target only in
// Commit, after everything is written and flushed to disk. Destroying the
// stream without a successful Commit removes the temporary file.
// Every failure is an EFCreateError naming the target.
class TSafeFileWriteStream : public TStream {
public:
  explicit TSafeFileWriteStream(const std::string& FileName);
  ~TSafeFileWriteStream() override;

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::size_t Write(const void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Position) override;
  std::int64_t Position() const override;
  std::int64_t Size() const override;

  void Commit();

private:
  [[noreturn]] void Fail(int Error);

  std::string FTarget; // full path of the file to replace
  std::string FTempName;
  std::FILE* FFile = nullptr;
};

// The full path shown in file messages.
std::string FullFileName(const std::string& FileName);
