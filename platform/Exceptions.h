#pragma once

#include <stdexcept>
#include <string>

// Every failure the user can meet is an exception whose what() is the
// message shown in the error box (UTF-8).
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
};

// A command stopped on the user's request: no failure, nothing to show.
// The code that offered the cancel catches it.
class EAbort : public Exception {
public:
  EAbort() : Exception("中止しました") {}
};

// An index outside a list.
class EListError : public Exception {
public:
  using Exception::Exception;
  static EListError IndexError(long long Index) {
    return EListError("リストのインデックスが範囲を超えています (" + std::to_string(Index) + ")");
  }
};

// A stream that does not hold what was expected.
class EReadError : public Exception {
public:
  using Exception::Exception;
};

// A file that cannot be opened for reading.
class EFOpenError : public Exception {
public:
  using Exception::Exception;
};

// A file that cannot be created or written completely.
class EFCreateError : public Exception {
public:
  using Exception::Exception;
};
