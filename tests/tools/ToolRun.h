// Runs vbdtool (or any shell command) and collects its exit code and
// everything it printed; a temporary folder for its files.
#pragma once

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

class ToolTest : public testing::Test {
protected:
  fs::path Dir;

  void SetUp() override {
    std::string Name = (fs::temp_directory_path() / "vantrel-tool-XXXXXX").string();
    ASSERT_NE(mkdtemp(Name.data()), nullptr);
    Dir = Name;
  }
  void TearDown() override {
    std::error_code Ec;
    fs::remove_all(Dir, Ec);
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(Dir))
      Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
  }
  static std::string ReadAll(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
  }
};
