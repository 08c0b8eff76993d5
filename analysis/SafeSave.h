#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes Bytes as the file FileName so that the old contents survive any
// failure and no stray file is left behind:
// - symbolic links are followed, also to a file that does not exist yet;
//   a loop fails with the system's error;
// - an existing target must be a regular file that may be written, and
//   one with no write permission for anyone is refused, to root too;
// - the bytes go to an unnamed temporary file in the target's folder
//   (a named one where the file system cannot make unnamed files), are
//   synced, get the old file's mode, and take the target's place in one
//   rename, after which the folder is synced;
// - where no file can be made in the folder but the target may be
//   written, the target is overwritten in place, its old bytes kept in
//   memory to be written back on a failure (OverwriteInPlace).
// What each way promises: ARCHITECTURE.md, "Opening and saving a data
// file". Every failure is an EFCreateError naming the path as given. The
// result is empty, or a note for the user when the file is saved but not
// known to be on disk (the folder could not be synced).
[[nodiscard]] std::string WriteFileSafely(const std::string& FileName,
                                          const std::vector<std::uint8_t>& Bytes);
