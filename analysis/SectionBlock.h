#pragma once

#include "analysis/Section.h"

#include <cstdint>
#include <string>

class TStream;

// The optional blocks after the last load record, which readers of the
// plain format ignore. A block is a tag of four printable ASCII characters,
// an int32 length and that many bytes; a reader passes over a tag it does
// not know by its length, so blocks of other tags can follow. No block
// holds more than MaxBlockLength bytes.
//
// The section block: tag "SECT", then its block version (1), the name as
// the file's strings are stored, and E, I, Z, Aw, Fb, Fs, N as its reals.

constexpr std::int64_t MaxBlockLength = std::int64_t{1} << 20;

// Writes the section block after the records; nothing for an Empty section.
// A name too long for a block fails with Exception.
void WriteSectionBlock(TStream& Stream, const TSection& Section);

// Reads the blocks from the position on and takes the section from its
// block. A section block that cannot be read (cut short, a length that
// lies, another version, a value that is not finite or is negative) leaves
// Section empty and Note set, and ends the blocks. Returns how many bytes
// are left where something that is neither a block nor the start of a
// section block begins (0 when the blocks run to the end).
std::int64_t ReadBlocks(TStream& Stream, TSection& Section, std::string& Note);

// The notes of a section block that is not read.
extern const char* const SDamagedSection;
extern const char* const SNewerSection;
