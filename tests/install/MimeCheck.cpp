// Prints "FILE<TAB>MIME TYPE" for every file named, as the desktop's MIME
// database under XDG_DATA_DIRS sees it (by name first, then by content).
#include <QMimeDatabase>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
  const QMimeDatabase Database;
  for (int I = 1; I < argc; ++I) {
    const QString File = QString::fromLocal8Bit(argv[I]);
    std::printf("%s\t%s\n", argv[I], qPrintable(Database.mimeTypeForFile(File).name()));
  }
  return 0;
}
