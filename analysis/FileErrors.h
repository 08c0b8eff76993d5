#pragma once

#include <string>
#include <sys/types.h>

// The texts of file messages: ファイル "<full path>". <reason> は開けません
// (or を作成できません). Reasons are Japanese for the errors a user meets
// with files, the C library's text otherwise.
std::string SystemErrorText(int Error);
// Why a file of this type is neither opened nor replaced: a folder, a
// named pipe, a device, a socket.
std::string FileTypeText(mode_t Mode);

std::string OpenErrorMessage(const std::string& FullName, const std::string& Reason);
std::string CreateErrorMessage(const std::string& FullName, const std::string& Reason);

// The full path shown in file messages.
std::string FullFileName(const std::string& FileName);
