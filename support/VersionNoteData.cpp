// The program's version note, read back from the file by ReadFileVersion.
// Linked as an object file so that it always lands in the executable.
#include "support/VersionNote.h"

namespace {

struct TVersionNote {
  std::uint32_t NameSize;
  std::uint32_t DescSize;
  std::uint32_t Type;
  char Name[8];
  std::uint32_t High;
  std::uint32_t Low;
};

[[gnu::section(".note.vantrel.version"), gnu::used,
  gnu::aligned(4)]] const TVersionNote VersionNote = {
    8,
    8,
    VersionNoteType,
    "Vantrel",
    (VANTREL_VERSION_MAJOR << 16) | VANTREL_VERSION_MINOR,
    (VANTREL_VERSION_PATCH << 16) | VANTREL_VERSION_TWEAK};

} // namespace
