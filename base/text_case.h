// Comparing text without regard to letter case, the same way on every build: no C library
// locale is consulted, so a name that matches on Windows matches in the host tools and tests.
//
// Two rules, for two kinds of text:
//  - ASCII: A-Z equal a-z and every other byte compares exactly. For names the product itself
//    defines or that formats declare as ASCII: registry value names, data-resource entries,
//    language codes, file extensions.
//  - Windows-1252: the ASCII letters, the accented capitals 0xC0-0xDE with their small letters
//    0xE0-0xFE (except the signs 0xD7 and 0xF7), and the pairs Š/š, Œ/œ, Ž/ž, Ÿ/ÿ. For names
//    that users write (picture titles, file names), which come in four languages.
//
//     if (EqualNoCaseCp1252(listed, wanted)) ...   // "Église" finds "ÉGLISE"
#pragma once

#include <string_view>

// `c` in lower case under the ASCII rule.
[[nodiscard]] constexpr char FoldCaseAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `c` in lower case under the Windows-1252 rule.
[[nodiscard]] char FoldCaseCp1252(char c);

[[nodiscard]] bool EqualNoCaseAscii(std::string_view a, std::string_view b);
[[nodiscard]] bool EqualNoCaseCp1252(std::string_view a, std::string_view b);

// Negative, zero or positive as `a` sorts before, with or after `b`: bytes folded to lower
// case and compared as unsigned numbers, a prefix before the longer text.
[[nodiscard]] int CompareNoCaseCp1252(std::string_view a, std::string_view b);
