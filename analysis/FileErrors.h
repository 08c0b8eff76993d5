#pragma once

#include <string>
#include <sys/types.h>

// The texts of file messages: ファイル "<full path>". <reason> は開けません
// (or を作成できません). A reason says why, ending in "ため", so that it
// reads as the cause in any such sentence. Reasons are Japanese for the
// errors a user meets with files; other errors quote the C library's text.
std::string SystemErrorText(int Error);
// Why a file of this type is neither opened nor replaced: a folder, a
// named pipe, a device, a socket.
std::string FileTypeText(mode_t Mode);

std::string OpenErrorMessage(const std::string& FullName, const std::string& Reason);
std::string CreateErrorMessage(const std::string& FullName, const std::string& Reason);
// A save in place that failed after writing began and could not put the
// old bytes back: the original may be damaged; the document went to
// Copy, or nowhere when Copy is empty.
std::string DamagedFileMessage(const std::string& FullName, const std::string& Reason,
                               const std::string& Copy);
// A save that is in place but not known to be on disk: the folder could
// not be synced after the new file took the old one's place.
std::string UnconfirmedSaveMessage(const std::string& FullName, const std::string& Reason);

// The full path shown in file messages.
std::string FullFileName(const std::string& FileName);
