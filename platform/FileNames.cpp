#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <system_error>

namespace {

constexpr char16_t FirstStrayByte = 0xDC80;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Length of the valid UTF-8 character at the start of Text; 0 when none
// starts there (a stray byte, an overlong form, a surrogate, a code past
// U+10FFFF, a cut sequence).
std::size_t ValidCharLength(std::string_view Text) {
  const auto Byte = [&Text](std::size_t I) {
    return I < Text.size() ? static_cast<unsigned char>(Text[I]) : 0;
  };
  // A continuation byte, within Low..High where the lead narrows it.
  const auto Follows = [&Byte](std::size_t I, int Low = 0x80, int High = 0xBF) {
    return Byte(I) >= Low && Byte(I) <= High;
  };
  const int Lead = Byte(0);
  if (Lead < 0x80) return 1;
  if (Lead >= 0xC2 && Lead <= 0xDF) return Follows(1) ? 2 : 0;
  if (Lead >= 0xE0 && Lead <= 0xEF)
    return Follows(1, Lead == 0xE0 ? 0xA0 : 0x80, Lead == 0xED ? 0x9F : 0xBF) && Follows(2) ? 3 : 0;
  if (Lead >= 0xF0 && Lead <= 0xF4)
    return Follows(1, Lead == 0xF0 ? 0x90 : 0x80, Lead == 0xF4 ? 0x8F : 0xBF) && Follows(2) &&
                   Follows(3)
               ? 4
               : 0;
  return 0;
}

// The stray byte that unit I of Name stands for, or -1 for none: an
// unpaired low surrogate of the range.
int StrayByteAt(const QString& Name, qsizetype I) {
  const char16_t Unit = Name[I].unicode();
  if (Unit < FirstStrayByte || Unit > 0xDCFF) return -1;
  if (I > 0 && Name[I - 1].isHighSurrogate()) return -1;
  return 0x80 + (Unit - FirstStrayByte);
}

} // namespace

std::string NativeFileName(const QString& Name) {
  std::string Native;
  qsizetype Start = 0; // of the stretch without stray bytes
  const auto Flush = [&](qsizetype End) {
    Native += QFile::encodeName(Name.mid(Start, End - Start)).toStdString();
  };
  for (qsizetype I = 0; I < Name.size(); ++I) {
    const int Byte = StrayByteAt(Name, I);
    if (Byte < 0) continue;
    Flush(I);
    Native += static_cast<char>(Byte);
    Start = I + 1;
  }
  Flush(Name.size());
  return Native;
}

QString FileNameFromNative(std::string_view Native) {
  QString Name;
  std::size_t Start = 0; // of the valid stretch
  const auto Flush = [&](std::size_t End) {
    std::string_view Valid = Native.substr(Start, End - Start);
    // QFile::decodeName drops a byte order mark at the start; a name keeps it.
    for (; Valid.starts_with(ByteOrderMark); Valid.remove_prefix(ByteOrderMark.size()))
      Name += QChar(QChar::ByteOrderMark);
    Name += QFile::decodeName(QByteArray(Valid.data(), static_cast<qsizetype>(Valid.size())));
  };
  for (std::size_t I = 0; I < Native.size();) {
    if (const std::size_t N = ValidCharLength(Native.substr(I))) {
      I += N;
      continue;
    }
    Flush(I);
    Name +=
        QChar(static_cast<char16_t>(FirstStrayByte + static_cast<unsigned char>(Native[I]) - 0x80));
    Start = ++I;
  }
  Flush(Native.size());
  return Name;
}

QString ShownFileName(const QString& Name) {
  QString Shown = Name;
  for (qsizetype I = 0; I < Shown.size(); ++I)
    if (StrayByteAt(Name, I) >= 0) Shown[I] = QChar::ReplacementCharacter;
  return Shown;
}

QString AbsoluteFileName(const QString& Name) {
  std::error_code Error;
  const std::filesystem::path Here = std::filesystem::current_path(Error);
  if (Error) return Name;
  return QDir(FileNameFromNative(Here.native())).absoluteFilePath(Name);
}
