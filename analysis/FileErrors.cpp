#include "analysis/FileErrors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

std::string SystemErrorText(int Error) {
  switch (Error) {
  case ENOENT:
    return "ファイルまたはフォルダが見つからないため";
  case EACCES:
  case EPERM:
    return "アクセスが拒否されたため";
  case EISDIR:
    return "フォルダのため";
  case ENOTDIR:
    return "パスの途中がフォルダではないため";
  case ELOOP:
    return "シンボリックリンクが多すぎるか循環しているため";
  case ENAMETOOLONG:
    return "名前が長すぎるため";
  case ENOSPC:
    return "ディスクに空きがないため";
  case EDQUOT:
    return "ディスク使用量の制限を超えたため";
  case EFBIG:
    return "ファイルが大きすぎるため";
  case EROFS:
    return "読み込み専用のファイルシステムのため";
  case EIO:
    return "入出力エラーのため";
  default:
    return std::string("システムのエラー「") + std::strerror(Error) + "」のため";
  }
}

std::string FileTypeText(mode_t Mode) {
  if (S_ISDIR(Mode)) return SystemErrorText(EISDIR);
  if (S_ISFIFO(Mode)) return "名前付きパイプのため";
  if (S_ISCHR(Mode) || S_ISBLK(Mode)) return "デバイスのため";
  if (S_ISSOCK(Mode)) return "ソケットのため";
  return "通常のファイルではないため";
}

std::string OpenErrorMessage(const std::string& FullName, const std::string& Reason) {
  return "ファイル \"" + FullName + "\". " + Reason + " は開けません";
}

std::string CreateErrorMessage(const std::string& FullName, const std::string& Reason) {
  return "ファイル \"" + FullName + "\". " + Reason + " を作成できません";
}

std::string DamagedFileMessage(const std::string& FullName, const std::string& Reason,
                               const std::string& Copy) {
  std::string Message = "ファイル \"" + FullName + "\" は、" + Reason +
                        "保存できませんでした。元のファイルは壊れている可能性があります。";
  if (Copy.empty()) return Message + "内容を別のファイルに保存することもできませんでした";
  return Message + "内容は \"" + Copy + "\" に保存しました";
}

std::string UnconfirmedSaveMessage(const std::string& FullName, const std::string& Reason) {
  return "ファイル \"" + FullName + "\" は保存しましたが、" + Reason +
         "ディスクに書き込まれたことを確認できませんでした";
}

std::string FullFileName(const std::string& FileName) {
  std::error_code Ec;
  std::filesystem::path Full = std::filesystem::absolute(FileName, Ec);
  return Ec ? FileName : Full.lexically_normal().string();
}
