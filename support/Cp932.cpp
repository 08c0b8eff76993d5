#include "support/Cp932.h"

#include "platform/Exceptions.h"

#include <cerrno>
#include <iconv.h>

namespace {

// Converts all of Input or throws Failure; never substitutes.
std::string Convert(const char* To, const char* From, const std::string& Input,
                    const char* Failure) {
  iconv_t Cd = iconv_open(To, From);
  if (Cd == reinterpret_cast<iconv_t>(-1)) throw Exception("文字コード変換を開始できません");
  std::string Output;
  char* In = const_cast<char*>(Input.data());
  std::size_t InLeft = Input.size();
  char Chunk[256];
  bool Ok = true;
  while (InLeft > 0) {
    char* Out = Chunk;
    std::size_t OutLeft = sizeof Chunk;
    const std::size_t Result = iconv(Cd, &In, &InLeft, &Out, &OutLeft);
    Output.append(Chunk, sizeof Chunk - OutLeft);
    if (Result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      Ok = false;
      break;
    }
    // iconv counts characters converted in a non-reversible way; the CP932
    // table has none, but refuse them should a system table differ.
    if (Result != static_cast<std::size_t>(-1) && Result > 0) {
      Ok = false;
      break;
    }
  }
  iconv_close(Cd);
  if (!Ok) throw Exception(Failure);
  return Output;
}

} // namespace

std::string Cp932ToUtf8(const std::string& Bytes) {
  return Convert("UTF-8", "CP932", Bytes,
                 "Shift-JIS (コードページ 932) として読めないバイトが含まれています。");
}

std::string Utf8ToCp932(const std::string& Text) {
  return Convert("CP932", "UTF-8", Text,
                 "Shift-JIS (コードページ 932) で表せない文字が含まれています。");
}

std::string Cp932ToDisplay(const std::string& Bytes) {
  iconv_t Cd = iconv_open("UTF-8", "CP932");
  if (Cd == reinterpret_cast<iconv_t>(-1)) throw Exception("文字コード変換を開始できません");
  std::string Text;
  char* In = const_cast<char*>(Bytes.data());
  std::size_t InLeft = Bytes.size();
  char Chunk[4096];
  while (InLeft > 0) {
    char* Out = Chunk;
    std::size_t OutLeft = sizeof Chunk;
    const std::size_t Result = iconv(Cd, &In, &InLeft, &Out, &OutLeft);
    Text.append(Chunk, sizeof Chunk - OutLeft);
    if (Result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte that starts no character (or a lead byte at the end): one
      // replacement character for it, and on with the next byte.
      Text += "\xEF\xBF\xBD";
      ++In;
      --InLeft;
      iconv(Cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(Cd);
  return Text;
}
