// Feeds arbitrary bytes to the data file reader. A refused file must raise
// one of the reader's exceptions and leave the document as it was; an
// accepted one must calculate and write back to the same bytes it reads as.
#include "analysis/BeamData.h"
#include "analysis/Stream.h"
#include "platform/Exceptions.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TMemoryStream Stream(std::vector<std::uint8_t>(Data, Data + Size));
  TData Document;
  try {
    Document.LoadFromStream(Stream);
  } catch (const EReadError&) {
    if (Document.LoadCount() != 0 || Document.Length() != 0 || Document.BeamType() != 0)
      std::abort();
    return 0;
  }
  Document.Calculate();
  double X = Document.Length() / 3, S = 0, M = 0;
  Document.CalcAt(X, S, M);

  TMemoryStream First;
  Document.SaveToStream(First);
  TMemoryStream Again(First.Bytes());
  TData Copy;
  Copy.LoadFromStream(Again);
  TMemoryStream Second;
  Copy.SaveToStream(Second);
  if (First.Bytes() != Second.Bytes()) std::abort();
  return 0;
}
