#include "analysis/SaveTemporaries.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Eight hexadecimal digits of the machine's name (FNV-1a), so that a
// folder shared between machines never loses another machine's save.
std::string MachineTag() {
  char Host[256] = {};
  gethostname(Host, sizeof Host - 1);
  std::uint32_t Hash = 2166136261u;
  for (const char* C = Host; *C; ++C)
    Hash = (Hash ^ static_cast<unsigned char>(*C)) * 16777619u;
  char Tag[9];
  std::snprintf(Tag, sizeof Tag, "%08x", Hash);
  return Tag;
}

const std::string& MachinePrefix() {
  static const std::string Prefix = ".vbd-" + MachineTag() + "-";
  return Prefix;
}

// The process id in a temporary name of this machine; 0 for any other name.
pid_t OwnerOf(const std::string& Name) {
  const std::string& Prefix = MachinePrefix();
  if (Name.compare(0, Prefix.size(), Prefix) != 0) return 0;
  const char* First = Name.data() + Prefix.size();
  const char* Last = Name.data() + Name.size();
  long Pid = 0;
  const auto [End, Error] = std::from_chars(First, Last, Pid);
  if (Error != std::errc() || End == First || Last - End != 9 || *End != '-') return 0;
  return Pid > 0 ? static_cast<pid_t>(Pid) : 0;
}

bool Alive(pid_t Pid) {
  return kill(Pid, 0) == 0 || errno != ESRCH;
}

} // namespace

std::string TemporaryNamePrefix() {
  return MachinePrefix() + std::to_string(getpid()) + "-";
}

void RemoveStaleTemporaries(const std::string& Dir) {
  DIR* Folder = opendir(Dir.c_str());
  if (!Folder) return;
  const int Fd = dirfd(Folder);
  while (const dirent* Entry = readdir(Folder)) {
    const pid_t Pid = OwnerOf(Entry->d_name);
    struct stat St {};
    if (Pid == 0 || Pid == getpid() || Alive(Pid) ||
        fstatat(Fd, Entry->d_name, &St, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(St.st_mode) ||
        St.st_uid != geteuid())
      continue;
    unlinkat(Fd, Entry->d_name, 0);
  }
  closedir(Folder);
}
