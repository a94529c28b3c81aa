// The characters that a picture's name may hold: it becomes a file name, so the characters
// that Windows refuses in file names never enter the rename field, nor do the code page's
// control range 0x7F to 0xA0. Control codes (below 32: backspace, Enter, the clipboard keys)
// always pass, so that editing keeps working.
#pragma once

#include <cstdint>

// True for a character code (of the system code page) that the name field accepts. Codes
// above 0xFF are refused.
[[nodiscard]] bool IsAllowedNameCharacter(uint32_t code);
