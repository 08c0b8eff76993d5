#include "analysis/SafeSave.h"

#include "analysis/FileErrors.h"
#include "analysis/SaveInPlace.h"
#include "analysis/SaveTemporaries.h"
#include "platform/Exceptions.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TSaveTarget {
  std::string Shown; // the path as the user gave it, in full
  std::string Path;  // after following symbolic links
  std::string Dir;   // the folder of Path
  bool Exists = false;
  struct stat Stat {};
};

[[noreturn]] void Fail(const TSaveTarget& Target, int Error) {
  throw EFCreateError(CreateErrorMessage(Target.Shown, SystemErrorText(Error)));
}

std::string DirName(const std::string& Path) {
  const std::size_t Slash = Path.rfind('/');
  if (Slash == std::string::npos) return ".";
  return Slash == 0 ? "/" : Path.substr(0, Slash);
}

// Follows symbolic links to the name they finally lead to, which need not
// exist. 0 or the error.
int ResolveLinks(std::string& Path) {
  for (int Hops = 0; Hops < 40; ++Hops) {
    struct stat St {};
    if (lstat(Path.c_str(), &St) != 0 || !S_ISLNK(St.st_mode)) return 0;
    std::string Link(PATH_MAX, '\0');
    const ssize_t N = readlink(Path.c_str(), Link.data(), Link.size());
    if (N < 0) return errno;
    if (static_cast<std::size_t>(N) >= Link.size()) return ENAMETOOLONG;
    Link.resize(static_cast<std::size_t>(N));
    Path = Link.front() == '/' ? Link : DirName(Path) + "/" + Link;
  }
  return ELOOP;
}

TSaveTarget FindTarget(const std::string& FileName) {
  TSaveTarget Target;
  Target.Shown = FullFileName(FileName);
  Target.Path = Target.Shown;
  if (const int Error = ResolveLinks(Target.Path)) Fail(Target, Error);
  Target.Dir = DirName(Target.Path);
  if (stat(Target.Path.c_str(), &Target.Stat) != 0) {
    if (errno != ENOENT) Fail(Target, errno);
    return Target;
  }
  Target.Exists = true;
  if (!S_ISREG(Target.Stat.st_mode))
    throw EFCreateError(CreateErrorMessage(Target.Shown, FileTypeText(Target.Stat.st_mode)));
  if (faccessat(AT_FDCWD, Target.Path.c_str(), W_OK, AT_EACCESS) != 0) Fail(Target, errno);
  // Root may write any file; one that nobody may write is refused all the
  // same, as it is to everyone else.
  if ((Target.Stat.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) Fail(Target, EACCES);
  return Target;
}

mode_t NewFileMode() {
  const mode_t Mask = umask(0);
  umask(Mask);
  return 0666 & ~Mask;
}

// 0 or the error.
int WriteAll(int Fd, const std::vector<std::uint8_t>& Bytes) {
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t N = write(Fd, Bytes.data() + Done, Bytes.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) return errno;
    if (N == 0) return EIO;
    Done += static_cast<std::size_t>(N);
  }
  return 0;
}

std::string RandomName(const std::string& Dir) {
  static std::mt19937 Random{std::random_device{}()};
  static constexpr char Letters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string Name = Dir + "/" + TemporaryNamePrefix();
  for (int I = 0; I < 8; ++I)
    Name += Letters[std::uniform_int_distribution<std::size_t>(0, sizeof Letters - 2)(Random)];
  return Name;
}

// The new contents on their way to the target. The file has no name at
// all where the file system allows it, else a short one of its own so
// that any target name fits beside it; the destructor removes it unless it
// has taken the target's place.
class TTempFile {
public:
  TTempFile() = default;
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile() {
    if (FFd >= 0) close(FFd);
    if (!FName.empty()) unlink(FName.c_str());
  }

  // 0 or why no file can be made in Dir.
  int Create(const std::string& Dir) {
    if (access("/proc/self/fd", X_OK) == 0) {
      FFd = open(Dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
      if (FFd >= 0) return 0;
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
    }
    for (int Try = 0; Try < 100; ++Try) {
      FName = RandomName(Dir);
      FFd = open(FName.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
      if (FFd >= 0) return 0;
      FName.clear();
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  // Writes, takes the old file's owner and group where the process may
  // (as root saving another user's file), sets the mode and syncs; throws
  // on any failure but the owner's.
  void Fill(const TSaveTarget& Target, const std::vector<std::uint8_t>& Bytes) {
    if (const int Error = WriteAll(FFd, Bytes)) Fail(Target, Error);
    if (Target.Exists) KeepOwner(Target.Stat);
    const mode_t Mode = Target.Exists ? Target.Stat.st_mode & 07777 : NewFileMode();
    if (fchmod(FFd, Mode) != 0) Fail(Target, errno);
    if (fsync(FFd) != 0) Fail(Target, errno);
  }

  // Puts the file in the target's place. 0 or the error.
  int Replace(const TSaveTarget& Target) {
    if (FName.empty()) {
      const std::string Self = "/proc/self/fd/" + std::to_string(FFd);
      // A new file is linked in under its name at once.
      if (!Target.Exists &&
          linkat(AT_FDCWD, Self.c_str(), AT_FDCWD, Target.Path.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
      if (const int Error = LinkUnderOwnName(Self, Target.Dir)) return Error;
    }
    if (rename(FName.c_str(), Target.Path.c_str()) != 0) return errno;
    FName.clear();
    return 0;
  }

private:
  // Another owner only where the process may give the file away; else
  // at least the group, where the user belongs to it.
  void KeepOwner(const struct stat& Old) const {
    struct stat Now {};
    if (fstat(FFd, &Now) != 0 || (Now.st_uid == Old.st_uid && Now.st_gid == Old.st_gid)) return;
    if (fchown(FFd, Old.st_uid, Old.st_gid) == 0) return;
    if (fchown(FFd, static_cast<uid_t>(-1), Old.st_gid) == 0) return;
    // Neither may be kept: the file is the user's own, as a copy would be.
  }

  int LinkUnderOwnName(const std::string& Self, const std::string& Dir) {
    for (int Try = 0; Try < 100; ++Try) {
      const std::string Name = RandomName(Dir);
      if (linkat(AT_FDCWD, Self.c_str(), AT_FDCWD, Name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        FName = Name;
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  int FFd = -1;
  std::string FName;
};

// After a rename the folder holds the new name; without this a power cut
// could bring the old file back after the save was reported done. 0 or
// the error.
int SyncFolder(const TSaveTarget& Target) {
  const int Fd = open(Target.Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) return errno;
  const int Error = fsync(Fd) == 0 || errno == EINVAL ? 0 : errno;
  close(Fd);
  return Error;
}

// 0 when the temporary file has replaced the target, else the error. A
// folder that cannot be synced afterwards is no failure of the save: Note
// says so.
int ReplaceThroughTemporary(const TSaveTarget& Target, const std::vector<std::uint8_t>& Bytes,
                            std::string& Note) {
  TTempFile Temp;
  if (const int Error = Temp.Create(Target.Dir)) return Error;
  Temp.Fill(Target, Bytes);
  if (const int Error = Temp.Replace(Target)) return Error;
  if (const int Error = SyncFolder(Target))
    Note = UnconfirmedSaveMessage(Target.Shown, SystemErrorText(Error));
  return 0;
}

} // namespace

std::string WriteFileSafely(const std::string& FileName, const std::vector<std::uint8_t>& Bytes) {
  const TSaveTarget Target = FindTarget(FileName);
  RemoveStaleTemporaries(Target.Dir);
  std::string Note;
  const int Error = ReplaceThroughTemporary(Target, Bytes, Note);
  if (Error == 0) return Note;
  // A folder the user may not write to, or a sticky one holding another
  // user's file: the file itself may still be written.
  if (!Target.Exists || (Error != EACCES && Error != EPERM)) Fail(Target, Error);
  OverwriteInPlace(Target.Shown, Target.Path, Target.Stat, Bytes);
  return {};
}
