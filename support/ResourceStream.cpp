// Read-only streams over memory and the program's resources, and the
// extraction of a resource into a file.
#include "support/QvxTools.h"

#include <QBuffer>
#include <QDir>
#include <QFileDevice>
#include <QRandomGenerator>
#include <QResource>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

TMemoryReader::TMemoryReader(const void* Memory, std::int32_t Size) {
  SetPointer(Memory, Size);
}

void TMemoryReader::SetPointer(const void* Memory, std::int32_t Size) {
  FMemory = static_cast<const std::uint8_t*>(Memory);
  FSize = std::max<std::int32_t>(Size, 0);
  FPosition = 0;
}

std::size_t TMemoryReader::Read(void* Buffer, std::size_t Count) {
  const std::size_t N = std::min<std::size_t>(Count, static_cast<std::size_t>(FSize - FPosition));
  if (N == 0) return 0;
  std::memcpy(Buffer, FMemory + FPosition, N);
  FPosition += static_cast<std::int64_t>(N);
  return N;
}

std::int32_t TMemoryReader::Seek(std::int32_t Offset, int Origin) {
  // 64 bits, so that no offset can overflow before the clamping.
  std::int64_t Position = FPosition;
  if (Origin == soBeginning) Position = Offset;
  if (Origin == soCurrent) Position += Offset;
  if (Origin == soEnd) Position = static_cast<std::int64_t>(FSize) - Offset;
  return static_cast<std::int32_t>(Seek(Position));
}

TResourceReader::TResourceReader(const QString& ResName) {
  const QResource Resource(QStringLiteral(":/") + ResName);
  // Uncompressed resources are not copied: the data stays in the program's
  // image while it runs.
  if (Resource.isValid() && Resource.size() <= INT32_MAX) FData = Resource.uncompressedData();
  SetPointer(FData.constData(), static_cast<std::int32_t>(FData.size()));
}

bool SaveResourceToStream(const QString& ResName, QIODevice& Stream) {
  if (auto* File = qobject_cast<QFileDevice*>(&Stream)) File->resize(0);
  if (auto* Buffer = qobject_cast<QBuffer*>(&Stream)) Buffer->buffer().clear();
  Stream.seek(0);
  TResourceReader Reader(ResName);
  std::uint8_t Prefix[4] = {};
  bool Complete = Reader.Read(Prefix, 4) == 4;
  const std::int32_t Length = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(Prefix[0]) | (static_cast<std::uint32_t>(Prefix[1]) << 8) |
      (static_cast<std::uint32_t>(Prefix[2]) << 16) |
      (static_cast<std::uint32_t>(Prefix[3]) << 24));
  if (Length < 0) Complete = false;
  std::int64_t Left = Complete ? Length : 0;
  char Chunk[65536];
  while (Left > 0) {
    const std::size_t Got =
        Reader.Read(Chunk, static_cast<std::size_t>(std::min<std::int64_t>(Left, sizeof Chunk)));
    if (Got == 0 || Stream.write(Chunk, static_cast<qint64>(Got)) != static_cast<qint64>(Got)) {
      Complete = false;
      break;
    }
    Left -= static_cast<std::int64_t>(Got);
  }
  if (auto* File = qobject_cast<QFileDevice*>(&Stream); File && !File->flush()) Complete = false;
  Stream.seek(0);
  return Complete;
}

QString NewTempFileName(const QString& Prefix) {
  // Qt gives an empty path for a temporary folder that does not exist.
  const QString Folder = QDir::tempPath();
  if (Folder.isEmpty() || QDir::isRelativePath(Folder)) return {};
  const QString Start = Prefix.left(3);
  // O_EXCL makes choosing the name and creating the file one step: a name
  // somebody else took meanwhile is simply the next try.
  for (int Try = 0; Try < 100; ++Try) {
    const QString Name = Start +
                         QString::number(QRandomGenerator::global()->generate(), 16).toUpper() +
                         QStringLiteral(".tmp");
    const QString Path = QDir(Folder).filePath(Name);
    const int Handle =
        ::open(QFile::encodeName(Path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (Handle >= 0) {
      ::close(Handle);
      return Path;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}
