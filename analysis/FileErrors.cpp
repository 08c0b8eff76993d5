#include "analysis/FileErrors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

std::string SystemErrorText(int Error) {
  switch (Error) {
  case ENOENT:
    return "ファイルまたはフォルダがありません";
  case EACCES:
  case EPERM:
    return "アクセスが拒否されました";
  case EISDIR:
    return "フォルダです";
  case ENOTDIR:
    return "パスの途中がフォルダではありません";
  case ELOOP:
    return "シンボリックリンクが多すぎるか循環しています";
  case ENAMETOOLONG:
    return "名前が長すぎます";
  case ENOSPC:
    return "ディスクに空きがありません";
  case EDQUOT:
    return "ディスク使用量の制限を超えました";
  case EFBIG:
    return "ファイルが大きすぎます";
  case EROFS:
    return "読み込み専用のファイルシステムです";
  case EIO:
    return "入出力エラーです";
  default:
    return std::strerror(Error);
  }
}

std::string FileTypeText(mode_t Mode) {
  if (S_ISDIR(Mode)) return SystemErrorText(EISDIR);
  if (S_ISFIFO(Mode)) return "名前付きパイプで、通常のファイルではありません";
  if (S_ISCHR(Mode) || S_ISBLK(Mode)) return "デバイスで、通常のファイルではありません";
  if (S_ISSOCK(Mode)) return "ソケットで、通常のファイルではありません";
  return "通常のファイルではありません";
}

std::string OpenErrorMessage(const std::string& FullName, const std::string& Reason) {
  return "ファイル \"" + FullName + "\". " + Reason + " は開けません";
}

std::string CreateErrorMessage(const std::string& FullName, const std::string& Reason) {
  return "ファイル \"" + FullName + "\". " + Reason + " を作成できません";
}

std::string FullFileName(const std::string& FileName) {
  std::error_code Ec;
  std::filesystem::path Full = std::filesystem::absolute(FileName, Ec);
  return Ec ? FileName : Full.lexically_normal().string();
}
