#include "analysis/DataStream.h"

#include "platform/Exceptions.h"

#include <cstring>
#include <vector>

const char* const SInvalidDataFile =
    "選択されたファイルは、このプログラム用のファイルでないかもしくはファイルが壊れています。";
const char* const SNewerDataVersion =
    "選択されたデータは、このバージョンでは処理することが出来ません。"
    "アプリケーションの最新バージョンをご用意下さい。";

void WriteBytes(TStream& Stream, const void* Buffer, std::size_t Count) {
  if (Stream.Write(Buffer, Count) != Count) throw Exception("ストリーム書き込みエラー");
}

namespace {

void ReadBytes(TStream& Stream, void* Buffer, std::size_t Count) {
  if (Stream.Read(Buffer, Count) != Count) throw EReadError(SInvalidDataFile);
}

template <class T> void WriteValue(TStream& Stream, T Value) {
  ToLittleEndian(Value);
  WriteBytes(Stream, &Value, sizeof(T));
}

template <class T> T ReadValue(TStream& Stream) {
  T Value;
  ReadBytes(Stream, &Value, sizeof(T));
  ToLittleEndian(Value);
  return Value;
}

} // namespace

void WriteInteger(TStream& Stream, std::int32_t Value) {
  WriteValue(Stream, Value);
}

void WriteReal(TStream& Stream, double Value) {
  WriteValue(Stream, Value);
}

void WriteString(TStream& Stream, const std::string& Value) {
  if (Value.size() > static_cast<std::size_t>(INT32_MAX)) throw Exception("文字列が長すぎます");
  WriteInteger(Stream, static_cast<std::int32_t>(Value.size()));
  WriteBytes(Stream, Value.data(), Value.size());
}

std::int32_t ReadInteger(TStream& Stream) {
  return ReadValue<std::int32_t>(Stream);
}

double ReadReal(TStream& Stream) {
  return ReadValue<double>(Stream);
}

std::string ReadString(TStream& Stream) {
  const std::int32_t Length = ReadInteger(Stream);
  if (Length < 0 || !Stream.CanRead(Length)) throw EReadError(SInvalidDataFile);
  std::string Text(static_cast<std::size_t>(Length), '\0');
  ReadBytes(Stream, Text.data(), Text.size());
  Text.resize(std::strlen(Text.c_str()));
  return Text;
}
