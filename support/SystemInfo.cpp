// The system routines of the about box: the browser, the program's version,
// the running system's name and its memory.
#include "support/QvxTools.h"
#include "support/VersionNote.h"

#include <QDesktopServices>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

namespace {

std::function<void(const QString&)>& WebPageOpener() {
  static std::function<void(const QString&)> Opener;
  return Opener;
}

QString ReadTextFile(const QString& FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(File.read(1 << 16));
}

// The value of a shell-style assignment: quotes removed, backslash escapes
// resolved.
QString Unquote(const QString& Value) {
  QString Text = Value.trimmed();
  if (Text.size() >= 2 && (Text.front() == '"' || Text.front() == '\'') &&
      Text.back() == Text.front())
    Text = Text.mid(1, Text.size() - 2);
  QString Result;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\\' && I + 1 < Text.size()) ++I;
    Result += Text[I];
  }
  return Result;
}

// MemAvailable of /proc/meminfo in bytes, or -1.
double MemAvailable() {
  const QString Text = ReadTextFile(QStringLiteral("/proc/meminfo"));
  static const QRegularExpression Line(QStringLiteral("^MemAvailable:\\s*(\\d+)\\s*kB"),
                                       QRegularExpression::MultilineOption);
  const QRegularExpressionMatch Match = Line.match(Text);
  if (!Match.hasMatch()) return -1;
  return static_cast<double>(Match.captured(1).toULongLong()) * 1024.0;
}

} // namespace

void SetWebPageOpener(std::function<void(const QString& Address)> Opener) {
  WebPageOpener() = std::move(Opener);
}

void OpenWebPage(const QString& Address) {
  if (WebPageOpener()) {
    WebPageOpener()(Address);
    return;
  }
  // The address goes to the desktop's handler as one URL, never through a
  // command line; a failure to start a browser is not reported.
  const QUrl Url(Address, QUrl::StrictMode);
  if (Url.isValid() && !Url.isRelative()) QDesktopServices::openUrl(Url);
}

TFileVersion ReadFileVersion(const QString& FileName) {
  TFileVersion Version;
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly)) return Version;
  const auto ReadAt = [&File](std::uint64_t Offset, void* Buffer, std::size_t Count) {
    if (Offset > static_cast<std::uint64_t>(File.size()) || !File.seek(static_cast<qint64>(Offset)))
      return false;
    return File.read(static_cast<char*>(Buffer), static_cast<qint64>(Count)) ==
           static_cast<qint64>(Count);
  };
  TVersionWords Words;
  if (!FindVersionNote(ReadAt, Words)) return Version;
  Version.Found = true;
  Version.Major = static_cast<int>(Words.High >> 16);
  Version.Minor = static_cast<int>(Words.High & 0xFFFF);
  Version.Release = static_cast<int>(Words.Low >> 16);
  Version.Build = static_cast<int>(Words.Low & 0xFFFF);
  return Version;
}

QString VersionNumberText(const TFileVersion& V) {
  return QString::asprintf("%d.%d.%d.%d", V.Major, V.Minor, V.Release, V.Build);
}

QString FileVersionText(const QString& FileName) {
  return QStringLiteral("Version ") + VersionNumberText(ReadFileVersion(FileName));
}

QString OsReleaseName(const QString& FileText) {
  static const QRegularExpression Line(QStringLiteral("^PRETTY_NAME=(.*)$"),
                                       QRegularExpression::MultilineOption);
  const QRegularExpressionMatch Match = Line.match(FileText);
  return Match.hasMatch() ? Unquote(Match.captured(1)).left(64) : QString();
}

TOSVersion ReadOSVersion() {
  TOSVersion Version;
  QString Text = ReadTextFile(QStringLiteral("/etc/os-release"));
  if (Text.isEmpty()) Text = ReadTextFile(QStringLiteral("/usr/lib/os-release"));
  Version.Name = OsReleaseName(Text);
  utsname System{};
  if (uname(&System) == 0) Version.Kernel = QString::fromUtf8(System.release);
  return Version;
}

QString OSVersionText() {
  const TOSVersion Version = ReadOSVersion();
  return Version.Name + QStringLiteral(" (Kernel:") + Version.Kernel + QStringLiteral(")");
}

double TotalPhysMemory() {
  struct sysinfo Info {};
  if (sysinfo(&Info) != 0) return 0;
  return static_cast<double>(Info.totalram) * Info.mem_unit;
}

double FreePhysMemory() {
  const double Available = MemAvailable();
  if (Available >= 0) return Available;
  // Kernels before 3.14 do not report MemAvailable.
  struct sysinfo Info {};
  if (sysinfo(&Info) != 0) return 0;
  return (static_cast<double>(Info.freeram) + static_cast<double>(Info.bufferram)) * Info.mem_unit;
}

QString TotalMemoryText() {
  return QString::asprintf("%6.1f MB", TotalPhysMemory() / 1048576);
}

QString FreeMemoryText(double Bytes) {
  if (Bytes >= 1048576) return QString::asprintf("%6.1f MB", Bytes / 1048576);
  if (Bytes >= 1024) return QString::asprintf("%6.1f KB", Bytes / 1024);
  return QString::asprintf("%6.1f Byte", Bytes);
}

QString FreeMemoryText() {
  return FreeMemoryText(FreePhysMemory());
}
