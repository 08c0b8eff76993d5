#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for: the window, with a file to open or
// none; the usage; the version; or nothing, since it is wrong.
enum TStartKind { skWindow, skHelp, skVersion, skRefuse };

struct TCommandLine {
  TStartKind Kind = skWindow;
  QString FileName; // skWindow: the file to open, empty for none
  QString Error;    // skRefuse: what is wrong
};

// The arguments of main() as names, in the file system's encoding: a file
// name that is no UTF-8 still names its file (see FileNameFromNative).
QStringList ArgumentList(int argc, char** argv);

// Reads Arguments (the program first): "--help" and "--version" decide as
// soon as they come, "--" makes every later argument a file name, any other
// argument starting with "-" (but "-" alone) is refused, and so is a
// second file name.
TCommandLine ParseCommandLine(const QStringList& Arguments);

// Answers a command line that needs no window on the standard output
// (help, version; exit code 0) or the standard error (a refusal with the
// usage; exit code 2); nothing for one that opens the window.
std::optional<int> AnswerCommandLine(const TCommandLine& Command);

// What --help prints: the usage, what the program does (every beam type,
// the supports, the section, the checks, the report) and the options.
QString HelpText();

// "Vantrel <version>", the version read from the running program's note.
QString VersionLine();
