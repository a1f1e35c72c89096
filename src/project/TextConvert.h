#pragma once

#include <string>
#include <string_view>

// Text in memory is UTF-16; files hold UTF-8. Both conversions replace every invalid sequence
// (a broken UTF-8 byte run, a lone surrogate) with U+FFFD and never fail.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// Removes the characters of set from both ends. A text made only of such characters is returned
// unchanged: project files have always kept blank values that way.
std::string TrimChars(std::string_view text, std::string_view set);
