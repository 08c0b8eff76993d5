#pragma once

#include "analysis/Stream.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

// Messages of a data file that cannot be read.
extern const char* const SInvalidDataFile;
extern const char* const SNewerDataVersion;

// The byte-level writers of the data file: a 32-bit little-endian integer,
// a little-endian IEEE double, and a string as its byte length followed by
// its bytes. A short write fails with the stream's own exception, or with a
// plain write error for a stream that only reports it.
void WriteBytes(TStream& Stream, const void* Buffer, std::size_t Count);
void WriteInteger(TStream& Stream, std::int32_t Value);
void WriteReal(TStream& Stream, double Value);
void WriteString(TStream& Stream, const std::string& Value);

// The readers mirror them. Any value that the stream cannot supply in full,
// and a string length that is negative or runs past the end of the stream,
// fail with EReadError(SInvalidDataFile). A string is cut at its first NUL.
std::int32_t ReadInteger(TStream& Stream);
double ReadReal(TStream& Stream);
std::string ReadString(TStream& Stream);

// A value stored little-endian in the file, in the machine's order.
template <class T> void ToLittleEndian(T& Value) {
  static_assert(std::endian::native == std::endian::little ||
                std::endian::native == std::endian::big);
  if constexpr (std::endian::native == std::endian::big) {
    unsigned char Bytes[sizeof(T)];
    std::memcpy(Bytes, &Value, sizeof(T));
    for (std::size_t I = 0; I < sizeof(T) / 2; ++I)
      std::swap(Bytes[I], Bytes[sizeof(T) - 1 - I]);
    std::memcpy(&Value, Bytes, sizeof(T));
  }
}

// The integer or real stored at Bytes, for readers that parse bytes the
// stream holds already (TStream::Buffered).
template <class T> T DecodeValue(const std::uint8_t* Bytes) {
  T Value;
  std::memcpy(&Value, Bytes, sizeof(T));
  ToLittleEndian(Value);
  return Value;
}
