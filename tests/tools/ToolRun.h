// Runs vbdtool (or any shell command) and collects its exit code and
// everything it printed; a temporary folder for its files.
#pragma once

#include "tests/kit/TempFolderTest.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

struct TRunResult {
  int Code = -1;
  std::string Output; // stdout and stderr together
};

inline TRunResult RunCommand(const std::string& Command) {
  TRunResult Result;
  std::FILE* Pipe = popen((Command + " 2>&1").c_str(), "r");
  if (!Pipe) return Result;
  char Chunk[4096];
  std::size_t N;
  while ((N = std::fread(Chunk, 1, sizeof Chunk, Pipe)) > 0)
    Result.Output.append(Chunk, N);
  const int Status = pclose(Pipe);
  Result.Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
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
