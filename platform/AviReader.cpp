#include "platform/AviReader.h"

#include <cstring>
#include <functional>

namespace {

std::uint32_t U32(const std::uint8_t* P) {
  return static_cast<std::uint32_t>(P[0]) | (static_cast<std::uint32_t>(P[1]) << 8) |
         (static_cast<std::uint32_t>(P[2]) << 16) | (static_cast<std::uint32_t>(P[3]) << 24);
}

std::int32_t S32(const std::uint8_t* P) {
  return static_cast<std::int32_t>(U32(P));
}

std::uint16_t U16(const std::uint8_t* P) {
  return static_cast<std::uint16_t>(P[0] | (P[1] << 8));
}

bool Is(const std::uint8_t* P, const char* FourCC) {
  return std::memcmp(P, FourCC, 4) == 0;
}

// The bytes of a clip being read.
struct TBytes {
  const std::uint8_t* Data;
  std::size_t Size;
  const std::uint8_t& operator[](std::size_t I) const { return Data[I]; }
};

// One chunk: its four-character code and where its body lies.
struct TChunk {
  const std::uint8_t* Id;
  std::size_t Body;
  std::size_t Size;
};

using TChunkVisitor = std::function<bool(const TChunk&)>;

// Calls Visit for every chunk between Begin and End; false as soon as a
// chunk does not fit or Visit refuses.
bool ForEachChunk(const TBytes& Bytes, std::size_t Begin, std::size_t End,
                  const TChunkVisitor& Visit) {
  std::size_t At = Begin;
  while (End - At >= 8) {
    const std::size_t Size = U32(&Bytes[At + 4]);
    if (Size > End - At - 8) return false;
    if (!Visit({&Bytes[At], At + 8, Size})) return false;
    At += 8 + Size + (Size & 1);
    if (At > End) break; // the pad byte of the last chunk may be missing
  }
  return true;
}

// What the header lists say about the clip.
struct THeader {
  std::uint32_t MicroSecondsPerFrame = 0;
  std::uint32_t TotalFrames = 0;
  std::uint32_t Width = 0, Height = 0;
  int VideoStream = -1; // index of the first video stream
  int Streams = 0;
  std::uint32_t Rate = 0, Scale = 0;
  std::int32_t BitmapWidth = 0, BitmapHeight = 0;
  int BitCount = 0;
  std::uint32_t Compression = 1;
};

bool ReadStreamList(const TBytes& Bytes, const TChunk& List, THeader& H) {
  const int Index = H.Streams++;
  bool Video = false;
  return ForEachChunk(Bytes, List.Body + 4, List.Body + List.Size, [&](const TChunk& C) {
    const std::uint8_t* P = &Bytes[C.Body];
    if (Is(C.Id, "strh") && C.Size >= 32) {
      Video = Is(P, "vids") && H.VideoStream < 0;
      if (Video) {
        H.VideoStream = Index;
        H.Scale = U32(P + 20);
        H.Rate = U32(P + 24);
      }
    } else if (Is(C.Id, "strf") && Video) {
      if (C.Size < 40) return false;
      H.BitmapWidth = S32(P + 4);
      H.BitmapHeight = S32(P + 8);
      H.BitCount = U16(P + 14);
      H.Compression = U32(P + 16);
    }
    return true;
  });
}

bool ReadHeaderList(const TBytes& Bytes, const TChunk& List, THeader& H) {
  return ForEachChunk(Bytes, List.Body + 4, List.Body + List.Size, [&](const TChunk& C) {
    if (Is(C.Id, "avih")) {
      if (C.Size < 56) return false;
      const std::uint8_t* P = &Bytes[C.Body];
      H.MicroSecondsPerFrame = U32(P);
      H.TotalFrames = U32(P + 16);
      H.Width = U32(P + 32);
      H.Height = U32(P + 36);
    } else if (Is(C.Id, "LIST") && C.Size >= 4 && Is(&Bytes[C.Body], "strl")) {
      return ReadStreamList(Bytes, C, H);
    }
    return true;
  });
}

// Collects the frames of stream Stream from a movi list (and the rec lists
// directly inside it); each must hold FrameSize bytes at least.
bool ReadMovieList(const TBytes& Bytes, const TChunk& List, int Stream, std::size_t FrameSize,
                   std::size_t Limit, std::vector<std::size_t>& Frames, bool Nested = false) {
  const char Digits[2] = {static_cast<char>('0' + Stream / 10),
                          static_cast<char>('0' + Stream % 10)};
  return ForEachChunk(Bytes, List.Body + 4, List.Body + List.Size, [&](const TChunk& C) {
    if (!Nested && Is(C.Id, "LIST") && C.Size >= 4 && Is(&Bytes[C.Body], "rec "))
      return ReadMovieList(Bytes, C, Stream, FrameSize, Limit, Frames, true);
    const bool Video = std::memcmp(C.Id, Digits, 2) == 0 &&
                       (std::memcmp(C.Id + 2, "db", 2) == 0 || std::memcmp(C.Id + 2, "dc", 2) == 0);
    if (!Video || Frames.size() >= Limit) return true;
    if (C.Size < FrameSize) return false;
    Frames.push_back(C.Body);
    return true;
  });
}

bool CheckHeader(const THeader& H) {
  const std::int64_t Height = H.BitmapHeight < 0 ? -std::int64_t{H.BitmapHeight} : H.BitmapHeight;
  return H.VideoStream >= 0 && H.VideoStream < 100 && H.BitCount == 24 && H.Compression == 0 &&
         H.BitmapWidth > 0 && H.BitmapWidth <= MaxAviSide && Height > 0 && Height <= MaxAviSide &&
         H.Width == static_cast<std::uint32_t>(H.BitmapWidth) &&
         H.Height == static_cast<std::uint32_t>(Height) && H.TotalFrames > 0;
}

// Microseconds per frame from the stream's rate, else from the main header.
std::uint32_t FrameTime(const THeader& H) {
  if (H.Rate > 0 && H.Scale > 0) {
    const std::uint64_t Time = std::uint64_t{H.Scale} * 1000000 / H.Rate;
    if (Time > 0 && Time <= 10000000) return static_cast<std::uint32_t>(Time);
  }
  return H.MicroSecondsPerFrame <= 10000000 ? H.MicroSecondsPerFrame : 0;
}

} // namespace

std::optional<TAviClip> ReadAvi(const std::uint8_t* Data, std::size_t Size) {
  const TBytes Bytes{Data, Size};
  if (Size < 12 || !Is(&Bytes[0], "RIFF") || !Is(&Bytes[8], "AVI ")) return std::nullopt;
  const std::size_t RiffEnd = std::size_t{U32(&Bytes[4])} + 8;
  if (RiffEnd > Size || RiffEnd < 12) return std::nullopt;
  THeader H;
  std::optional<TChunk> Movie;
  const bool Fits = ForEachChunk(Bytes, 12, RiffEnd, [&](const TChunk& C) {
    if (!Is(C.Id, "LIST") || C.Size < 4) return true;
    if (Is(&Bytes[C.Body], "hdrl")) return ReadHeaderList(Bytes, C, H);
    if (Is(&Bytes[C.Body], "movi") && !Movie) Movie = C;
    return true;
  });
  if (!Fits || !Movie || !CheckHeader(H) || FrameTime(H) == 0) return std::nullopt;
  TAviClip Clip;
  Clip.Width = H.BitmapWidth;
  Clip.Height = H.BitmapHeight < 0 ? -H.BitmapHeight : H.BitmapHeight;
  Clip.TopDown = H.BitmapHeight < 0;
  Clip.MicroSecondsPerFrame = FrameTime(H);
  const std::size_t Stride = (static_cast<std::size_t>(Clip.Width) * 3 + 3) & ~std::size_t{3};
  if (!ReadMovieList(Bytes, *Movie, H.VideoStream, Stride * static_cast<std::size_t>(Clip.Height),
                     H.TotalFrames, Clip.Frames) ||
      Clip.Frames.size() < H.TotalFrames)
    return std::nullopt;
  Clip.Bytes.assign(Data, Data + Size);
  return Clip;
}

std::vector<std::uint32_t> TAviClip::Frame(int Index) const {
  std::vector<std::uint32_t> Pixels(static_cast<std::size_t>(Width) *
                                    static_cast<std::size_t>(Height));
  if (Index < 0 || Index >= FrameCount()) return Pixels;
  const std::size_t Stride = (static_cast<std::size_t>(Width) * 3 + 3) & ~std::size_t{3};
  for (int Y = 0; Y < Height; ++Y) {
    const std::size_t Row = static_cast<std::size_t>(TopDown ? Y : Height - 1 - Y);
    const std::uint8_t* P = &Bytes[Frames[static_cast<std::size_t>(Index)] + Row * Stride];
    std::uint32_t* Out = &Pixels[static_cast<std::size_t>(Y) * static_cast<std::size_t>(Width)];
    for (int X = 0; X < Width; ++X, P += 3)
      Out[X] = 0xFF000000u | (std::uint32_t{P[2]} << 16) | (std::uint32_t{P[1]} << 8) | P[0];
  }
  return Pixels;
}
