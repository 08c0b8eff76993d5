// Opening and saving against what a folder can hold besides regular
// files: pipes, sockets, folders, symbolic links, write-protected files
// and folders, names at the length limit. Everything lives in a temporary
// folder; cases that need an unprivileged user run in a child process that
// drops to nobody when the tests run as root.
#include "analysis/BeamData.h"
#include "analysis/FileErrors.h"
#include "analysis/SaveTemporaries.h"
#include "tests/analysis/FileBytes.h"
#include "tests/kit/TempFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadAll(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void MakeDocument(TData& D, double Length) {
  D.SetLength(Length);
  D.SetLoadKind(0, lkConcentrated);
  D.SetLoadX(0, 1);
  D.SetLoadW(0, 2);
}

// Runs Action in a child process as an unprivileged user (nobody when
// run as root); its result is the child's exit code, 99 when the child
// could not become that user.
int AsUnprivilegedUser(const std::function<int()>& Action) {
  const pid_t Pid = fork();
  if (Pid == 0) {
    if (geteuid() == 0) {
      const passwd* Nobody = getpwnam("nobody");
      if (!Nobody || setgid(Nobody->pw_gid) != 0 || setuid(Nobody->pw_uid) != 0) _exit(99);
    }
    int Code = 98;
    try {
      Code = Action();
    } catch (...) {
    }
    _exit(Code);
  }
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 97;
}

class FileKinds : public TTempFolderTest {
protected:
  void SetUp() override {
    TTempFolderTest::SetUp();
    // A hung open must fail the test, not the whole run.
    alarm(20);
  }
  void TearDown() override {
    alarm(0);
    TTempFolderTest::TearDown();
  }
  fs::path Fifo(const char* Name) const {
    const fs::path Path = Dir / Name;
    EXPECT_EQ(mkfifo(Path.c_str(), 0666), 0);
    return Path;
  }
  // A listening Unix socket bound at Dir/Name; closed by the caller.
  int Socket(const char* Name) const {
    const int Fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    const std::string Path = (Dir / Name).string();
    EXPECT_LT(Path.size(), sizeof Address.sun_path);
    Path.copy(Address.sun_path, sizeof Address.sun_path - 1);
    EXPECT_EQ(bind(Fd, reinterpret_cast<sockaddr*>(&Address), sizeof Address), 0);
    return Fd;
  }
  static void ExpectMessage(const std::string& Message, const fs::path& Path,
                            const std::string& Reason, const std::string& Tail) {
    EXPECT_EQ(Message, "ファイル \"" + Path.string() + "\". " + Reason + " " + Tail);
  }
};

TEST(FileErrorTexts, EveryReasonIsACauseThatFitsTheMessages) {
  // "… <reason> は開けません" and "… <reason> を作成できません" read as
  // Japanese only when the reason says why: it ends in "ため".
  std::vector<std::string> Reasons;
  for (int Error = 1; Error < 134; ++Error)
    Reasons.push_back(SystemErrorText(Error));
  for (const mode_t Mode : {S_IFDIR, S_IFIFO, S_IFCHR, S_IFBLK, S_IFSOCK, S_IFLNK})
    Reasons.push_back(FileTypeText(Mode));
  for (const std::string& Reason : Reasons)
    EXPECT_TRUE(Reason.ends_with("ため")) << Reason;
  // The errors a user can meet with files have reasons of our own; only
  // the rare ones quote the C library's (English) text.
  for (const int Error :
       {ENOENT,    EACCES,       EPERM,      EISDIR, ENOTDIR,   ELOOP,       ENAMETOOLONG,
        ENOSPC,    EDQUOT,       EFBIG,      EROFS,  EIO,       ENXIO,       ENODEV,
        ETXTBSY,   EBUSY,        EMFILE,     ENFILE, EAGAIN,    EWOULDBLOCK, EINVAL,
        EOVERFLOW, EXDEV,        ENOMEM,     EINTR,  ETIMEDOUT, ESTALE,      ECONNREFUSED,
        ENOTSUP,   EOPNOTSUPP,   EMLINK,     EEXIST, ENOTEMPTY, ENOLCK,      ECONNRESET,
        ENOTCONN,  EHOSTUNREACH, ENETUNREACH})
    EXPECT_EQ(SystemErrorText(Error).find(std::strerror(Error)), std::string::npos) << Error;
  EXPECT_NE(SystemErrorText(EDOM).find(std::strerror(EDOM)), std::string::npos);
}

TEST_F(FileKinds, OnlyRegularFilesOpen) {
  TData D;
  MakeDocument(D, 5);
  const auto Before = SavedBytes(D);
  const fs::path Pipe = Fifo("pipe.vbd");
  // No writer: a blocking open would wait for one forever.
  ExpectMessage(Failure([&] { D.LoadFromFile(Pipe); }), Pipe, "名前付きパイプのため",
                "は開けません");
  // A writer that never writes: a blocking read would wait forever.
  const int Writer = open(Pipe.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(Writer, 0);
  EXPECT_NE(Failure([&] { D.LoadFromFile(Pipe); }).find(" は開けません"), std::string::npos);
  close(Writer);

  const int Sock = Socket("socket.vbd");
  ExpectMessage(Failure([&] { D.LoadFromFile(Dir / "socket.vbd"); }), Dir / "socket.vbd",
                "ソケットのため", "は開けません");
  close(Sock);
  ExpectMessage(Failure([&] { D.LoadFromFile("/dev/null"); }), "/dev/null", "デバイスのため",
                "は開けません");
  ExpectMessage(Failure([&] { D.LoadFromFile(Dir); }), Dir, "フォルダのため", "は開けません");
  ExpectMessage(Failure([&] { D.LoadFromFile(Dir / "none.vbd"); }), Dir / "none.vbd",
                "ファイルまたはフォルダが見つからないため", "は開けません");
  EXPECT_EQ(SavedBytes(D), Before);
}

TEST_F(FileKinds, SpecialFilesAreNeverReplaced) {
  TData D;
  MakeDocument(D, 5);
  const fs::path Pipe = Fifo("pipe.vbd");
  ExpectMessage(Failure([&] { D.SaveToFile(Pipe); }), Pipe, "名前付きパイプのため",
                "を作成できません");
  EXPECT_TRUE(fs::is_fifo(Pipe));
  const int Sock = Socket("socket.vbd");
  EXPECT_NE(Failure([&] { D.SaveToFile(Dir / "socket.vbd"); }).find("ソケット"), std::string::npos);
  EXPECT_TRUE(fs::is_socket(Dir / "socket.vbd"));
  close(Sock);
  // Through a link the same.
  fs::create_symlink("pipe.vbd", Dir / "link.vbd");
  EXPECT_NE(Failure([&] { D.SaveToFile(Dir / "link.vbd"); }).find("パイプ"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(Pipe));
  EXPECT_TRUE(D.Modified());
  EXPECT_EQ(Listing(Dir), (std::vector<std::string>{"link.vbd", "pipe.vbd", "socket.vbd"}));
}

TEST_F(FileKinds, SymbolicLinksLeadToTheirFile) {
  TData D;
  MakeDocument(D, 5);
  fs::create_directory(Dir / "real");
  // Dangling: the file it names is created and the link stays a link.
  fs::create_symlink("real/beam.vbd", Dir / "dangling.vbd");
  D.SaveToFile(Dir / "dangling.vbd");
  EXPECT_TRUE(fs::is_symlink(Dir / "dangling.vbd"));
  EXPECT_EQ(ReadAll(Dir / "real" / "beam.vbd"), SavedBytes(D));
  // A chain of links to an existing file replaces the file.
  fs::create_symlink(Dir / "dangling.vbd", Dir / "chain.vbd");
  MakeDocument(D, 7);
  D.SaveToFile(Dir / "chain.vbd");
  EXPECT_TRUE(fs::is_symlink(Dir / "chain.vbd"));
  EXPECT_EQ(ReadAll(Dir / "real" / "beam.vbd"), SavedBytes(D));
  EXPECT_EQ(Listing(Dir / "real"), std::vector<std::string>{"beam.vbd"});

  // A loop fails, naming the link the user chose.
  fs::create_symlink("loop2.vbd", Dir / "loop1.vbd");
  fs::create_symlink("loop1.vbd", Dir / "loop2.vbd");
  ExpectMessage(Failure([&] { D.SaveToFile(Dir / "loop1.vbd"); }), Dir / "loop1.vbd",
                "シンボリックリンクが多すぎるか循環しているため", "を作成できません");
  EXPECT_TRUE(fs::is_symlink(Dir / "loop1.vbd"));
  // A link into a missing folder names the link, not where it leads.
  fs::create_symlink("nowhere/beam.vbd", Dir / "lost.vbd");
  ExpectMessage(Failure([&] { D.SaveToFile(Dir / "lost.vbd"); }), Dir / "lost.vbd",
                "ファイルまたはフォルダが見つからないため", "を作成できません");
  EXPECT_EQ(Listing(Dir), (std::vector<std::string>{"chain.vbd", "dangling.vbd", "loop1.vbd",
                                                    "loop2.vbd", "lost.vbd", "real"}));
}

TEST_F(FileKinds, NamesAtTheLengthLimitSave) {
  std::string Kana;
  for (int I = 0; I < 83; ++I)
    Kana += "荷";
  for (const std::string& Name : {Kana + ".vbd", "xy" + Kana + ".vbd"}) {
    SCOPED_TRACE(Name.size());
    TData D;
    MakeDocument(D, 3);
    D.SaveToFile(Dir / Name);
    MakeDocument(D, 4); // and once more over the existing file
    D.SaveToFile(Dir / Name);
    EXPECT_EQ(ReadAll(Dir / Name), SavedBytes(D));
    EXPECT_EQ(Listing(Dir), std::vector<std::string>{Name});
    fs::remove(Dir / Name);
  }
}

TEST_F(FileKinds, WriteProtectedFilesAndFolders) {
  fs::permissions(Dir, fs::perms::all);
  TData Old, D;
  MakeDocument(Old, 3);
  MakeDocument(D, 9);
  const fs::path Locked = Dir / "locked.vbd";
  Old.SaveToFile(Locked);
  fs::permissions(Locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string Message =
      "ファイル \"" + Locked.string() + "\". アクセスが拒否されたため を作成できません";
  EXPECT_EQ(AsUnprivilegedUser([&] { return Failure([&] { D.SaveToFile(Locked); }) == Message; }),
            1);
  EXPECT_EQ(Failure([&] { D.SaveToFile(Locked); }), Message); // as root too, where tests run so
  EXPECT_EQ(ReadAll(Locked), SavedBytes(Old));

  // A writable file in a folder that is not: written in place.
  fs::create_directory(Dir / "shut");
  const fs::path Open = Dir / "shut" / "open.vbd";
  Old.SaveToFile(Open);
  fs::permissions(Open, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                            ~fs::perms::others_exec);
  fs::permissions(Dir / "shut", fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(AsUnprivilegedUser([&] {
              D.SaveToFile(Open);
              return 0;
            }),
            0);
  EXPECT_EQ(ReadAll(Open), SavedBytes(D));
  EXPECT_EQ(Listing(Dir / "shut"), std::vector<std::string>{"open.vbd"});
  fs::permissions(Dir / "shut", fs::perms::owner_all);
}

TEST_F(FileKinds, AnotherUsersWritableFileInAStickyFolder) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a file of another user";
  fs::permissions(Dir, fs::perms::all | fs::perms::sticky_bit);
  TData Old, D;
  MakeDocument(Old, 3);
  MakeDocument(D, 9);
  const fs::path Shared = Dir / "shared.vbd";
  Old.SaveToFile(Shared);
  fs::permissions(Shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read |
                              fs::perms::others_write);
  EXPECT_EQ(AsUnprivilegedUser([&] {
              D.SaveToFile(Shared);
              return 0;
            }),
            0);
  EXPECT_EQ(ReadAll(Shared), SavedBytes(D));
  struct stat St {};
  ASSERT_EQ(stat(Shared.c_str(), &St), 0);
  EXPECT_EQ(St.st_uid, 0u); // still root's file, written in place
  EXPECT_EQ(Listing(Dir), std::vector<std::string>{"shared.vbd"});
}

} // namespace

namespace {

TEST_F(FileKinds, ASaveRemovesTheTemporariesThatEndedSavesLeftBehind) {
  // A process that has ended, and one that is alive (the test's parent).
  const pid_t Ended = fork();
  if (Ended == 0) _exit(0);
  waitpid(Ended, nullptr, 0);
  const std::string Ours = TemporaryNamePrefix(); // ".vbd-<machine>-<pid>-"
  const std::string Machine = Ours.substr(0, Ours.rfind('-', Ours.size() - 2) + 1);
  const std::vector<std::string> Kept = {
      Machine + std::to_string(getppid()) + "-abcdefgh",      // a save going on
      ".vbd-00000000-" + std::to_string(Ended) + "-abcdefgh", // another machine's
      Machine + std::to_string(Ended) + "-abcdefg",           // not of this form
      ".vbdabcdefgh"};
  const std::string Stale = Machine + std::to_string(Ended) + "-abcdefgh";
  for (const std::string& Name : Kept)
    std::ofstream(Dir / Name) << "x";
  std::ofstream(Dir / Stale) << "x";
  TData D;
  MakeDocument(D, 4);
  D.SaveToFile(Dir / "beam.vbd");
  std::vector<std::string> Want = Kept;
  Want.push_back("beam.vbd");
  std::sort(Want.begin(), Want.end());
  EXPECT_EQ(Listing(Dir), Want);
}

TEST_F(FileKinds, RootSavingAnotherUsersFileKeepsItsOwnerAndGroup) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to save another user's file";
  const passwd* Nobody = getpwnam("nobody");
  ASSERT_NE(Nobody, nullptr);
  TData Old, D;
  MakeDocument(Old, 3);
  MakeDocument(D, 9);
  const fs::path File = Dir / "theirs.vbd";
  Old.SaveToFile(File);
  ASSERT_EQ(chown(File.c_str(), Nobody->pw_uid, Nobody->pw_gid), 0);
  ASSERT_EQ(chmod(File.c_str(), 0640), 0);
  D.SaveToFile(File);
  struct stat St {};
  ASSERT_EQ(stat(File.c_str(), &St), 0);
  EXPECT_EQ(St.st_uid, Nobody->pw_uid);
  EXPECT_EQ(St.st_gid, Nobody->pw_gid);
  EXPECT_EQ(St.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadAll(File), SavedBytes(D));
}

} // namespace
