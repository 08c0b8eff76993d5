// Preloaded into a program under test, makes one kind of system call fail
// as VANTREL_FAULT says:
//   no-tmpfile  open with O_TMPFILE: EOPNOTSUPP (a file system without it)
//   no-create   open that may create a file (O_CREAT, O_TMPFILE) under the
//               folder VANTREL_FAULT_PATH names: EACCES (a folder that may
//               not be written, as seen by root too)
//   write       write or pwrite to a regular file: ENOSPC
//   write-once  the first write or pwrite of more than a byte to a regular
//               file writes half of it, the next one fails with EIO, the
//               others go through (a write that fails midway)
//   ftruncate   ftruncate: EIO
//   fchmod      fchmod: EPERM
//   fsync-dir   fsync of a folder: EIO
//   fsync-file  fsync of a regular file: EIO
//   rename      rename: EIO
//   link        linkat: EIO
// Several may be given, separated by commas.
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fault(const char* Name) {
  const char* Faults = std::getenv("VANTREL_FAULT");
  if (!Faults) return false;
  const std::size_t Length = std::strlen(Name);
  for (const char* P = Faults; (P = std::strstr(P, Name)) != nullptr; P += Length)
    if ((P == Faults || P[-1] == ',') && (P[Length] == ',' || P[Length] == '\0')) return true;
  return false;
}

bool IsA(int Fd, mode_t Type) {
  struct stat St {};
  return fstat(Fd, &St) == 0 && (St.st_mode & S_IFMT) == Type;
}

template <class F> F Next(const char* Name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, Name));
}

int Failed(int Error) {
  errno = Error;
  return -1;
}

bool Creates(int Flags) {
  return (Flags & O_CREAT) || (Flags & O_TMPFILE) == O_TMPFILE;
}

bool UnderFaultPath(const char* Path) {
  const char* Folder = std::getenv("VANTREL_FAULT_PATH");
  return Folder && std::strncmp(Path, Folder, std::strlen(Folder)) == 0;
}

int OpenWith(const char* Symbol, const char* Path, int Flags, mode_t Mode) {
  if ((Flags & O_TMPFILE) == O_TMPFILE && Fault("no-tmpfile")) return Failed(EOPNOTSUPP);
  if (Creates(Flags) && Fault("no-create") && UnderFaultPath(Path)) return Failed(EACCES);
  return Next<int (*)(const char*, int, ...)>(Symbol)(Path, Flags, Mode);
}

// The mode an open passes only when it may create a file.
mode_t ModeArgument(int Flags, va_list Args) {
  return Creates(Flags) ? va_arg(Args, mode_t) : 0;
}

// How many of Count bytes a write to Fd may write: Count, fewer, or -1
// with errno set.
ssize_t Writable(int Fd, size_t Count) {
  if (!IsA(Fd, S_IFREG)) return static_cast<ssize_t>(Count);
  if (Fault("write")) return Failed(ENOSPC);
  static int Step = 0; // of write-once: before the short write, after it, done
  if (Fault("write-once") && Step == 0 && Count > 1) {
    Step = 1;
    return static_cast<ssize_t>(Count / 2);
  }
  if (Fault("write-once") && Step == 1) {
    Step = 2;
    return Failed(EIO);
  }
  return static_cast<ssize_t>(Count);
}

} // namespace

extern "C" {

int open(const char* Path, int Flags, ...) {
  va_list Args;
  va_start(Args, Flags);
  const mode_t Mode = ModeArgument(Flags, Args);
  va_end(Args);
  return OpenWith("open", Path, Flags, Mode);
}

int open64(const char* Path, int Flags, ...) {
  va_list Args;
  va_start(Args, Flags);
  const mode_t Mode = ModeArgument(Flags, Args);
  va_end(Args);
  return OpenWith("open64", Path, Flags, Mode);
}

ssize_t write(int Fd, const void* Buffer, size_t Count) {
  const ssize_t N = Writable(Fd, Count);
  if (N < 0) return N;
  return Next<ssize_t (*)(int, const void*, size_t)>("write")(Fd, Buffer, static_cast<size_t>(N));
}

ssize_t pwrite(int Fd, const void* Buffer, size_t Count, off_t Offset) {
  const ssize_t N = Writable(Fd, Count);
  if (N < 0) return N;
  return Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(
      Fd, Buffer, static_cast<size_t>(N), Offset);
}

ssize_t pwrite64(int Fd, const void* Buffer, size_t Count, off_t Offset) {
  const ssize_t N = Writable(Fd, Count);
  if (N < 0) return N;
  return Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64")(
      Fd, Buffer, static_cast<size_t>(N), Offset);
}

int ftruncate(int Fd, off_t Length) {
  if (Fault("ftruncate")) return Failed(EIO);
  return Next<int (*)(int, off_t)>("ftruncate")(Fd, Length);
}

int ftruncate64(int Fd, off_t Length) {
  if (Fault("ftruncate")) return Failed(EIO);
  return Next<int (*)(int, off_t)>("ftruncate64")(Fd, Length);
}

int fchmod(int Fd, mode_t Mode) {
  if (Fault("fchmod")) return Failed(EPERM);
  return Next<int (*)(int, mode_t)>("fchmod")(Fd, Mode);
}

int fsync(int Fd) {
  if (Fault("fsync-dir") && IsA(Fd, S_IFDIR)) return Failed(EIO);
  if (Fault("fsync-file") && IsA(Fd, S_IFREG)) return Failed(EIO);
  return Next<int (*)(int)>("fsync")(Fd);
}

int rename(const char* From, const char* To) {
  if (Fault("rename")) return Failed(EIO);
  return Next<int (*)(const char*, const char*)>("rename")(From, To);
}

int linkat(int FromDir, const char* From, int ToDir, const char* To, int Flags) {
  if (Fault("link")) return Failed(EIO);
  return Next<int (*)(int, const char*, int, const char*, int)>("linkat")(FromDir, From, ToDir, To,
                                                                          Flags);
}

} // extern "C"
