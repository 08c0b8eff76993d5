// A test with a fresh temporary folder of its own, removed afterwards, and
// what a failing file operation said.
#pragma once

#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <vector>

// What Action threw, or "(no error)".
inline std::string Failure(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const std::exception& E) {
    return E.what();
  }
  return "(no error)";
}

class TTempFolderTest : public testing::Test {
protected:
  std::filesystem::path Dir;

  void SetUp() override {
    std::string Name = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(Name.data()), nullptr);
    Dir = Name;
  }
  void TearDown() override {
    // A test may have taken its own rights away; they come back to remove it.
    std::error_code Ec;
    std::filesystem::permissions(Dir, std::filesystem::perms::owner_all, Ec);
    std::filesystem::remove_all(Dir, Ec);
  }
  // The names in a folder (the test's own by default), sorted.
  static std::vector<std::string> Listing(const std::filesystem::path& Where) {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Where))
      Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
  }
  std::vector<std::string> Listing() const { return Listing(Dir); }
};
