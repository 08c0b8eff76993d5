#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// An uncompressed 24-bit video clip read from a RIFF AVI file: its size,
// its frame rate and the place of every frame in the file's bytes.
struct TAviClip {
  int Width = 0;
  int Height = 0;
  bool TopDown = false; // rows stored from the top (negative height)
  std::uint32_t MicroSecondsPerFrame = 0;
  // Offsets of the frames' pixel data in the file's bytes.
  std::vector<std::size_t> Frames;
  std::vector<std::uint8_t> Bytes;

  int FrameCount() const { return static_cast<int>(Frames.size()); }
  // Frame Index (0-based) as Width × Height pixels 0xFFRRGGBB, row by row
  // from the top.
  std::vector<std::uint32_t> Frame(int Index) const;
};

// Largest width or height a clip may have.
constexpr int MaxAviSide = 4096;

// Reads a clip with one uncompressed 24-bit video stream (any other
// streams are ignored). The bytes are not trusted: a clip that is cut short
// or whose sizes, counts or offsets do not fit its bytes is refused, as is
// any other format; nothing is returned then.
std::optional<TAviClip> ReadAvi(const std::uint8_t* Data, std::size_t Size);
