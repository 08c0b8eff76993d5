#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
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
  // Whether Count more bytes can be read from the position: the readers
  // ask before they allocate for a count or a length. A stream that learns
  // its size only by reading (a pipe) reads on as far as that to answer.
  virtual bool CanRead(std::int64_t Count) { return Count <= Remaining(); }
  // The bytes from the position on that the stream holds in memory (a
  // buffered stream fills its buffer first), to be parsed in place;
  // Seek past those used. Empty at the end, and for a stream that keeps no
  // bytes: its readers then read field by field.
  virtual std::span<const std::uint8_t> Buffered() { return {}; }
};

// A stream that is only read: Write writes nothing and returns 0, and Seek
// goes to any position from the start up to SeekLimit().
class TReadOnlyStream : public TStream {
public:
  std::size_t Write(const void* Buffer, std::size_t Count) final;
  std::int64_t Seek(std::int64_t Position) final;
  std::int64_t Position() const final { return FPosition; }

protected:
  // The furthest a seek goes; by default past the end as far as asked.
  virtual std::int64_t SeekLimit() const;

  std::int64_t FPosition = 0;
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
  std::span<const std::uint8_t> Buffered() override;

  const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

private:
  std::vector<std::uint8_t> FBytes;
  std::size_t FPosition = 0;
};

// An existing regular file opened read-only. It is opened without waiting
// (a named pipe with no writer would block) and anything but a regular file
// (a folder, a pipe, a device, a socket) is refused before a byte is read.
// Fails with EFOpenError. Small reads are served from a buffer filled a
// block at a time, so that reading field by field makes no system call per
// field.
class TFileReadStream : public TReadOnlyStream {
public:
  explicit TFileReadStream(const std::string& FileName);
  ~TFileReadStream() override;

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::int64_t Size() const override { return FSize; }
  std::span<const std::uint8_t> Buffered() override;

private:
  // Reads the block at the position into the buffer; false at the end or
  // on an error.
  bool FillBuffer();

  int FFd = -1;
  std::int64_t FSize = 0;
  std::vector<std::uint8_t> FBuffer; // file bytes from FBufferStart on
  std::int64_t FBufferStart = 0;     // file offset of FBuffer[0]
  std::size_t FBuffered = 0;         // valid bytes in FBuffer
};
