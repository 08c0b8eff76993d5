// The system helpers: memory texts and figures, the system's name, the
// version note read back from a program file, temporary files and the
// web page seam.
#include "support/QvxTools.h"
#include "support/VersionNote.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/utsname.h>

namespace {

// Points the temporary folder somewhere else while it lives.
class TTempFolder {
public:
  explicit TTempFolder(const QString& Path) : FOld(qgetenv("TMPDIR")) {
    qputenv("TMPDIR", QFile::encodeName(Path));
  }
  ~TTempFolder() { qputenv("TMPDIR", FOld); }

private:
  QByteArray FOld;
};

QByteArray ReadAll(const QString& FileName) {
  QFile File(FileName);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

bool FindInBytes(const QByteArray& Bytes, TVersionWords& Words) {
  return FindVersionNote(
      [&Bytes](std::uint64_t Offset, void* Buffer, std::size_t Count) {
        if (Offset > static_cast<std::uint64_t>(Bytes.size()) ||
            Count > static_cast<std::uint64_t>(Bytes.size()) - Offset)
          return false;
        std::memcpy(Buffer, Bytes.constData() + Offset, Count);
        return true;
      },
      Words);
}

} // namespace

TEST(SystemInfoTest, FreeMemorySwitchesUnitsAtExactlyOneKilobyteAndOneMegabyte) {
  EXPECT_EQ(FreeMemoryText(1023), QStringLiteral("1023.0 Byte"));
  EXPECT_EQ(FreeMemoryText(0), QStringLiteral("   0.0 Byte"));
  EXPECT_EQ(FreeMemoryText(1024), QStringLiteral("   1.0 KB"));
  EXPECT_EQ(FreeMemoryText(1048575), QStringLiteral("1024.0 KB")) << "rounded, still KB";
  EXPECT_EQ(FreeMemoryText(1048576), QStringLiteral("   1.0 MB"));
  // Sixteen gigabytes: no 32-bit wrap anywhere.
  EXPECT_EQ(FreeMemoryText(16.0 * 1073741824), QStringLiteral("16384.0 MB"));
}

TEST(SystemInfoTest, MemoryFiguresAreTheSystemsWholeByteCounts) {
  const QString MemInfo = QString::fromUtf8(ReadAll(QStringLiteral("/proc/meminfo")));
  const QRegularExpressionMatch Total =
      QRegularExpression(QStringLiteral("MemTotal:\\s*(\\d+) kB")).match(MemInfo);
  ASSERT_TRUE(Total.hasMatch());
  const double Expected = Total.captured(1).toDouble() * 1024;
  // sysinfo and /proc/meminfo count the same pages.
  EXPECT_NEAR(TotalPhysMemory(), Expected, 1024 * 1024);
  EXPECT_GT(FreePhysMemory(), 0);
  EXPECT_LE(FreePhysMemory(), TotalPhysMemory());
  EXPECT_EQ(TotalMemoryText(), QString::asprintf("%6.1f MB", TotalPhysMemory() / 1048576));
}

TEST(SystemInfoTest, OsReleaseNameTakesThePrettyNameUnquotedAndCut) {
  EXPECT_EQ(OsReleaseName(QStringLiteral("NAME=\"X\"\nPRETTY_NAME=\"Debian GNU/Linux 12 "
                                         "(bookworm)\"\nID=debian\n")),
            QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
  EXPECT_EQ(OsReleaseName(QStringLiteral("PRETTY_NAME=Plain\n")), QStringLiteral("Plain"));
  EXPECT_EQ(OsReleaseName(QStringLiteral("PRETTY_NAME='Single'")), QStringLiteral("Single"));
  EXPECT_EQ(OsReleaseName(QStringLiteral("PRETTY_NAME=\"Say \\\"hi\\\" \\\\o/\"")),
            QStringLiteral("Say \"hi\" \\o/"));
  EXPECT_EQ(OsReleaseName(QStringLiteral("NAME=Only\n# PRETTY_NAME=commented\n")), QString());
  EXPECT_EQ(OsReleaseName(QString()), QString());
  EXPECT_EQ(OsReleaseName(QStringLiteral("PRETTY_NAME=") + QString(100, QChar('n'))).size(), 64);
}

TEST(SystemInfoTest, SystemLineEndsWithTheKernelRelease) {
  utsname System{};
  ASSERT_EQ(uname(&System), 0);
  const QString Text = OSVersionText();
  EXPECT_TRUE(Text.endsWith(QStringLiteral(" (Kernel:") + QString::fromUtf8(System.release) + ")"))
      << Text.toStdString();
  EXPECT_EQ(Text, ReadOSVersion().Name + " (Kernel:" + ReadOSVersion().Kernel + ")");
}

TEST(SystemInfoTest, ThisProgramCarriesVersionOneZeroZeroZero) {
  const QString Self = QCoreApplication::applicationFilePath();
  const TFileVersion Version = ReadFileVersion(Self);
  EXPECT_TRUE(Version.Found);
  EXPECT_EQ(FileVersionText(Self), QStringLiteral("Version 1.0.0.0"));
}

TEST(SystemInfoTest, FilesWithoutAVersionShowFourZeros) {
  QTemporaryDir Folder;
  const QString Text = Folder.filePath(QStringLiteral("text"));
  QFile File(Text);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.write("not a program");
  File.close();
  for (const QString& Name : {Text, Folder.filePath(QStringLiteral("missing")), QString()}) {
    EXPECT_FALSE(ReadFileVersion(Name).Found);
    EXPECT_EQ(FileVersionText(Name), QStringLiteral("Version 0.0.0.0"));
  }
}

TEST(SystemInfoTest, DamagedProgramFilesGiveNoVersion) {
  const QByteArray Self = ReadAll(QCoreApplication::applicationFilePath());
  TVersionWords Words;
  ASSERT_TRUE(FindInBytes(Self, Words));
  EXPECT_EQ(Words.High, 0x00010000u);
  EXPECT_EQ(Words.Low, 0u);
  // Cut anywhere in the headers, or with a section table far off the end.
  for (int Size : {0, 4, 63, 64, 200})
    EXPECT_FALSE(FindInBytes(Self.left(Size), Words)) << Size;
  QByteArray Lying = Self;
  std::memset(Lying.data() + 0x28, 0xFF, 8); // section table offset
  EXPECT_FALSE(FindInBytes(Lying, Words));
  Lying = Self;
  Lying[5] = 2; // big-endian
  EXPECT_FALSE(FindInBytes(Lying, Words));
}

TEST(SystemInfoTest, TempFilesAreNewEmptyAndNamedByThreeLettersAndHex) {
  QTemporaryDir Folder;
  const TTempFolder Temp(Folder.path());
  const QString First = NewTempFileName(QStringLiteral("AVIXYZ"));
  const QString Second = NewTempFileName(QStringLiteral("AVI"));
  EXPECT_NE(First, Second);
  for (const QString& Name : {First, Second}) {
    const QFileInfo Info(Name);
    EXPECT_EQ(Info.absolutePath(), QDir(Folder.path()).absolutePath());
    EXPECT_TRUE(Info.exists());
    EXPECT_EQ(Info.size(), 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^AVI[0-9A-F]+\\.tmp$"))
                    .match(Info.fileName())
                    .hasMatch())
        << Info.fileName().toStdString();
  }
}

TEST(SystemInfoTest, NoTempFileWhereNoneCanBeCreated) {
  QTemporaryDir Folder;
  const TTempFolder Temp(Folder.filePath(QStringLiteral("does/not/exist")));
  EXPECT_EQ(NewTempFileName(QStringLiteral("AVI")), QString());
}

TEST(SystemInfoTest, WebPagesGoToTheInstalledOpener) {
  QStringList Opened;
  SetWebPageOpener([&Opened](const QString& Address) { Opened << Address; });
  OpenWebPage(QStringLiteral("https://example.org/a b"));
  SetWebPageOpener(nullptr);
  EXPECT_EQ(Opened, QStringList{QStringLiteral("https://example.org/a b")});
  // Without an opener a relative address is simply not opened.
  OpenWebPage(QStringLiteral("no address"));
}
