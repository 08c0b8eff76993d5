#include "analysis/FileErrors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

struct TReason {
  int Error;
  const char* Text;
};

// The errors a user can meet with files. EWOULDBLOCK and EOPNOTSUPP are
// EAGAIN and ENOTSUP here.
static_assert(EWOULDBLOCK == EAGAIN && EOPNOTSUPP == ENOTSUP);
constexpr TReason Reasons[] = {
    {ENOENT, "ファイルまたはフォルダが見つからないため"},
    {EACCES, "アクセスが拒否されたため"},
    {EPERM, "アクセスが拒否されたため"},
    {EISDIR, "フォルダのため"},
    {ENOTDIR, "パスの途中がフォルダではないため"},
    {ELOOP, "シンボリックリンクが多すぎるか循環しているため"},
    {ENAMETOOLONG, "名前が長すぎるため"},
    {ENOSPC, "ディスクに空きがないため"},
    {EDQUOT, "ディスク使用量の制限を超えたため"},
    {EFBIG, "ファイルが大きすぎるため"},
    {EROFS, "読み込み専用のファイルシステムのため"},
    {EIO, "入出力エラーのため"},
    {ENXIO, "対応するデバイスまたは接続先がないため"},
    {ENODEV, "対応するデバイスがないため"},
    {ETXTBSY, "実行中のプログラムが使っているため"},
    {EBUSY, "ほかで使用中のため"},
    {EMFILE, "このプログラムが開いているファイルが多すぎるため"},
    {ENFILE, "システム全体で開いているファイルが多すぎるため"},
    {EAGAIN, "一時的に使えない状態のため"},
    {EINVAL, "名前または操作が無効なため"},
    {EOVERFLOW, "ファイルが大きすぎて扱えないため"},
    {EXDEV, "別のファイルシステムにまたがるため"},
    {ENOMEM, "メモリが足りないため"},
    {EINTR, "処理が中断されたため"},
    {ETIMEDOUT, "時間切れになったため"},
    {ESTALE, "ネットワーク上のファイルの参照が古くなったため"},
    {ECONNREFUSED, "接続が拒否されたため"},
    {ECONNRESET, "接続が切れたため"},
    {ENOTCONN, "接続されていないため"},
    {EHOSTUNREACH, "ネットワークの相手に届かないため"},
    {ENETUNREACH, "ネットワークの相手に届かないため"},
    {ENOTSUP, "ファイルシステムがこの操作に対応していないため"},
    {EMLINK, "リンクの数が上限に達したため"},
    {EEXIST, "同じ名前のものがすでにあるため"},
    {ENOTEMPTY, "フォルダが空ではないため"},
    {ENOLCK, "ロックが足りないため"},
};

} // namespace

std::string SystemErrorText(int Error) {
  for (const TReason& Reason : Reasons)
    if (Reason.Error == Error) return Reason.Text;
  return std::string("システムのエラー「") + std::strerror(Error) + "」のため";
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
