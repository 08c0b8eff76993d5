// Runs vbdtool (or any shell command) and collects its exit code, everything
// it printed and its peak memory; a temporary folder for its files.
#pragma once

#include "tests/kit/TempFolderTest.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

struct TRunResult {
  int Code = -1;
  std::string Output; // stdout and stderr together
  long PeakKiB = 0;   // the most memory the command, or anything it waited for, held
};

inline TRunResult RunCommand(const std::string& Command) {
  TRunResult Result;
  int Pipe[2];
  if (pipe2(Pipe, O_CLOEXEC) != 0) return Result;
  const pid_t Pid = fork();
  if (Pid == 0) {
    dup2(Pipe[1], STDOUT_FILENO);
    dup2(Pipe[1], STDERR_FILENO);
    execl("/bin/sh", "sh", "-c", Command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(Pipe[1]);
  char Chunk[4096];
  ssize_t N;
  while ((N = read(Pipe[0], Chunk, sizeof Chunk)) > 0 || (N < 0 && errno == EINTR))
    Result.Output.append(Chunk, static_cast<std::size_t>(std::max<ssize_t>(N, 0)));
  close(Pipe[0]);
  int Status = 0;
  rusage Usage{};
  if (Pid > 0 && wait4(Pid, &Status, 0, &Usage) == Pid) {
    Result.Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    Result.PeakKiB = Usage.ru_maxrss;
  }
  return Result;
}

inline std::string Quote(const std::string& Text) {
  std::string Out = "'";
  for (const char C : Text)
    Out += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Out + "'";
}

// vbdtool make Path with Json on its input, under Env (VAR=value ...).
inline TRunResult Make(const fs::path& Path, const std::string& Json, const std::string& Env = {}) {
  return RunCommand("printf '%s' " + Quote(Json) + " | " + Env + " " VBDTOOL " make " +
                    Quote(Path.string()));
}

class ToolTest : public TTempFolderTest {
protected:
  static std::string ReadAll(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
  }
};
