// The characters that a picture's title may hold: the title becomes a file name, so the
// characters that Windows refuses in file names are left out, and so is the code page's
// control range 0x7F to 0xA0. What remains are 181 byte values of Windows-1252: the blank,
// the printable ASCII but " * / : < > ? \ |, and 0xA1 to 0xFF.
#pragma once

#include <cstdint>

// True for a byte that a title may hold.
[[nodiscard]] bool IsNameCharacter(unsigned char byte);

// True for a character code (of the system code page) that the name field accepts: the
// title's characters, and the control codes below 32 (backspace, Enter, the clipboard keys),
// so that editing keeps working. Codes above 0xFF are refused.
[[nodiscard]] bool IsAllowedNameCharacter(uint32_t code);
