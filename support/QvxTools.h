#pragma once

#include "analysis/Stream.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

class QIODevice;

// The value of a typed number, or Default when the text is no number:
// blanks around it, an optional sign, digits with the locale's decimal
// separator, an optional exponent ("E" alone means 0; reading stops once
// the exponent reaches 500). Full-width digits, thousands separators and
// units make it fail, as does a value beyond the range of a double.
double TextToRealDef(const QString& Text, double Default);

// A number with three decimals in the locale's decimal separator and no
// thousands separator ("%.3f"); one too wide for the places numbers are
// shown in (more than MaxNumberWidth characters) in exponent form with
// as many decimals in its mantissa ("1.000e+300"), which TextToRealDef
// reads back.
QString FormatReal3(double Value);
// Value with Decimals digits after the point, as FormatReal3 writes it.
QString FormatReal(double Value, int Decimals);
// The widest number FormatReal writes in fixed form ("-123456789.123"):
// 14 characters; exponent form takes no more than 11 with 3 decimals.
constexpr int MaxNumberWidth = 14;
// Value to six significant digits, without trailing zeros ("205000",
// "15.54"), with the same decimal separator.
QString FormatSignificant(double Value);

// ---- System information -------------------------------------------------

// Opens Address in the desktop's web browser and returns at once. Nothing
// is reported when no browser can be started.
void OpenWebPage(const QString& Address);
// Replaces what OpenWebPage does (tests watch the addresses through this);
// an empty function restores the desktop's URL handler.
void SetWebPageOpener(std::function<void(const QString& Address)> Opener);

// The version a program carries in its file, as four 16-bit numbers.
struct TFileVersion {
  bool Found = false;
  int Major = 0;
  int Minor = 0;
  int Release = 0;
  int Build = 0;
};
// The version note of the program file FileName; all zero and not Found
// when the file has none or cannot be read.
TFileVersion ReadFileVersion(const QString& FileName);
// The four numbers with dots between them ("1.0.0.0").
QString VersionNumberText(const TFileVersion& Version);
// "Version " and the numbers of ReadFileVersion, four zeros without a
// version.
QString FileVersionText(const QString& FileName);

// The running system: its name (PRETTY_NAME of os-release, at most 64
// characters, empty when missing) and the kernel's release.
struct TOSVersion {
  QString Name;
  QString Kernel;
};
TOSVersion ReadOSVersion();
// The name from the text of an os-release file; empty without PRETTY_NAME.
QString OsReleaseName(const QString& FileText);
// Name + " (Kernel:" + Kernel + ")".
QString OSVersionText();

// Total and available physical memory of the running system in bytes.
double TotalPhysMemory();
double FreePhysMemory();
// "%6.1f MB" of the total memory.
QString TotalMemoryText();
// The available memory in MB from 1048576 bytes on, in KB from 1024, else
// in bytes ("%6.1f Byte").
QString FreeMemoryText();
QString FreeMemoryText(double Bytes);

// Creates a new empty file in the temporary folder, named by the first
// three characters of Prefix and a hexadecimal number, and returns its
// full path; empty when no file could be created.
QString NewTempFileName(const QString& Prefix);

// ---- Read-only streams over memory and over the program's resources -----

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// Reads the Size bytes at Memory, which it does not own.
class TMemoryReader : public TReadOnlyStream {
public:
  TMemoryReader(const void* Memory, std::int32_t Size);

  std::size_t Read(void* Buffer, std::size_t Count) override;
  // From soEnd the offset counts backwards (Size - Offset). The position is
  // clamped to 0 .. Size; an unknown origin only clamps.
  std::int32_t Seek(std::int32_t Offset, int Origin);
  using TReadOnlyStream::Seek;
  std::int64_t Size() const override { return FSize; }

protected:
  TMemoryReader() = default;
  void SetPointer(const void* Memory, std::int32_t Size);
  std::int64_t SeekLimit() const override { return FSize; }

private:
  const std::uint8_t* FMemory = nullptr;
  std::int32_t FSize = 0;
};

// Reads the program's resource ResName (":/" + ResName); an empty stream
// when there is no such resource.
class TResourceReader : public TMemoryReader {
public:
  explicit TResourceReader(const QString& ResName);

private:
  QByteArray FData;
};

// Copies the payload of the resource ResName, laid out as a 4-byte
// little-endian length N followed by N bytes, into Stream, which is
// emptied first and left at position 0. False when the resource is
// missing, N is negative (nothing copied), the resource holds fewer than N
// bytes (what there is is copied) or writing fails.
bool SaveResourceToStream(const QString& ResName, QIODevice& Stream);
