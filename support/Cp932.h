#pragma once

#include <string>

// Conversion between UTF-8 text and the code page 932 bytes that documents
// and data files keep. Both fail with an Exception naming the problem
// instead of substituting characters; nothing is ever silently lost.
//
// glibc's CP932 table also takes the code points that Linux input methods
// produce where Windows has another one (the wave dash U+301C for U+FF5E,
// U+2212 for U+FF0D, ...); decoding gives the Windows code points.
std::string Cp932ToUtf8(const std::string& Bytes);
std::string Utf8ToCp932(const std::string& Text);

// For showing stored bytes only: like Cp932ToUtf8, but a byte that does not
// start a valid character shows as U+FFFD instead of failing.
std::string Cp932ToDisplay(const std::string& Bytes);
