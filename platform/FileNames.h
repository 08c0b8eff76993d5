// File names between Qt and the file system, which names files by bytes.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// A name that is not valid UTF-8 (a file made under another encoding) must
// still open and save. QFile::decodeName turns its stray bytes into U+FFFD
// and QFile::encodeName cannot bring them back, so here each byte that is
// no UTF-8 becomes an unpaired low surrogate U+DC80–U+DCFF in the QString
// and goes back to the same byte; the valid stretches go through
// QFile::decodeName and encodeName as usual. Every path that passes between
// the window (QString) and the model (std::string) goes through these two.

// The file system's bytes for Name.
std::string NativeFileName(const QString& Name);
// The name the file system calls Native; NativeFileName gives Native back.
QString FileNameFromNative(std::string_view Native);
// Name as the user sees it: each byte that is no UTF-8 as U+FFFD.
QString ShownFileName(const QString& Name);
// Name made absolute against the current folder, whatever the folder's
// bytes; Name as it is when the current folder cannot be told.
QString AbsoluteFileName(const QString& Name);
