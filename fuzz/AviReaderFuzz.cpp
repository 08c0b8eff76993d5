// Feeds arbitrary bytes to the AVI clip reader. A refused clip is simply
// no clip; an accepted one must describe frames that lie within its bytes,
// and every frame must decode to Width × Height opaque pixels.
#include "platform/AviReader.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::optional<TAviClip> Clip = ReadAvi(Data, Size);
  if (!Clip) return 0;
  if (Clip->Width <= 0 || Clip->Height <= 0 || Clip->Width > MaxAviSide ||
      Clip->Height > MaxAviSide || Clip->FrameCount() <= 0 || Clip->MicroSecondsPerFrame == 0)
    std::abort();
  const std::size_t Pixels = static_cast<std::size_t>(Clip->Width) * Clip->Height;
  for (int I = 0; I < Clip->FrameCount(); ++I) {
    const std::vector<std::uint32_t> Frame = Clip->Frame(I);
    if (Frame.size() != Pixels) std::abort();
    for (const std::uint32_t Pixel : Frame)
      if ((Pixel >> 24) != 0xFF) std::abort();
  }
  return 0;
}
