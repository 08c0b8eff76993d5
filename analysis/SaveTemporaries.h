#pragma once

#include <string>

// The names of the temporary files a save makes beside its target record
// the saving process: ".vbd-" and a tag of the machine, "-", the process
// id, "-", then 8 random letters. A save killed at the wrong moment can
// leave one behind; the next save in that folder removes it.

// ".vbd-<machine>-<pid>-", the start of this process's temporary names.
std::string TemporaryNamePrefix();

// Removes the temporary files in Dir that a process of this machine left
// behind when it ended without finishing its save: the name of this form,
// a regular file of the user's own, and no process of that id alive.
// Anything else stays; nothing here fails.
void RemoveStaleTemporaries(const std::string& Dir);
