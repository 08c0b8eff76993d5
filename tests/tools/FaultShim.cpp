// Preloaded into a program under test, makes one kind of system call fail
// as VANTREL_FAULT says:
//   no-tmpfile  open with O_TMPFILE: EOPNOTSUPP (a file system without it)
//   write       write to a regular file: ENOSPC
//   fchmod      fchmod: EPERM
//   fsync-dir   fsync of a folder: EIO
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

int OpenWith(const char* Symbol, const char* Path, int Flags, mode_t Mode) {
  if ((Flags & O_TMPFILE) == O_TMPFILE && Fault("no-tmpfile")) return Failed(EOPNOTSUPP);
  return Next<int (*)(const char*, int, ...)>(Symbol)(Path, Flags, Mode);
}

} // namespace

extern "C" {

int open(const char* Path, int Flags, ...) {
  va_list Args;
  va_start(Args, Flags);
  const mode_t Mode =
      (Flags & O_CREAT) || (Flags & O_TMPFILE) == O_TMPFILE ? va_arg(Args, mode_t) : 0;
  va_end(Args);
  return OpenWith("open", Path, Flags, Mode);
}

int open64(const char* Path, int Flags, ...) {
  va_list Args;
  va_start(Args, Flags);
  const mode_t Mode =
      (Flags & O_CREAT) || (Flags & O_TMPFILE) == O_TMPFILE ? va_arg(Args, mode_t) : 0;
  va_end(Args);
  return OpenWith("open64", Path, Flags, Mode);
}

ssize_t write(int Fd, const void* Buffer, size_t Count) {
  if (Fault("write") && IsA(Fd, S_IFREG)) return Failed(ENOSPC);
  return Next<ssize_t (*)(int, const void*, size_t)>("write")(Fd, Buffer, Count);
}

int fchmod(int Fd, mode_t Mode) {
  if (Fault("fchmod")) return Failed(EPERM);
  return Next<int (*)(int, mode_t)>("fchmod")(Fd, Mode);
}

int fsync(int Fd) {
  if (Fault("fsync-dir") && IsA(Fd, S_IFDIR)) return Failed(EIO);
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
