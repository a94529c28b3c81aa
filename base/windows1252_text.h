// Text in Windows code page 1252, the code page of every title, file name and text the
// programs show, to and from UTF-8, the encoding of description files and of the host's
// command lines.
//
//     std::string title;
//     if (!Utf8ToWindows1252(argument, title)) ...   // a character the code page lacks
//     std::printf("%s\n", Windows1252ToUtf8(title).c_str());
#pragma once

#include <string>
#include <string_view>

// False for malformed UTF-8 or a character that the code page lacks; a leading byte-order
// mark is dropped. `in` and `out` may be the same string.
[[nodiscard]] bool Utf8ToWindows1252(const std::string& in, std::string& out);

// The same for names that must come through whatever they hold (a file name becoming a
// title): each character the code page lacks, and each malformed byte, becomes `replacement`.
[[nodiscard]] std::string Utf8ToWindows1252Replacing(std::string_view in, char replacement);

// Every byte has a UTF-8 form: the five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the control characters of the same number, as on Windows.
[[nodiscard]] std::string Windows1252ToUtf8(std::string_view text);
