#pragma once

#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <vector>

// Overwrites the regular file Path (identified by Expected, as a stat gave
// it before) with Bytes, where no other file can take its place. Shown is
// the path as the user chose it, for messages. The old bytes are read
// first and kept in memory; if anything fails after writing began, they
// are written back and synced. Only when that fails too is the document
// saved to a recovery file in the user's data folder
// ($XDG_DATA_HOME/vantrel/recovery/), and the message names both files
// and says that the original may be damaged. Every failure throws
// EFCreateError.
void OverwriteInPlace(const std::string& Shown, const std::string& Path,
                      const struct stat& Expected, const std::vector<std::uint8_t>& Bytes);

// The folder recovery files go to: $XDG_DATA_HOME/vantrel/recovery, or
// $HOME/.local/share/vantrel/recovery.
std::string RecoveryFolder();
