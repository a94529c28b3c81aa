#include "base/text_case.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<unsigned char, 256> MakeCp1252LowerTable() {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<unsigned char>(byte);
    for (int byte = 'A'; byte <= 'Z'; ++byte) table[byte] = static_cast<unsigned char>(byte + 0x20);
    // The accented capitals sit 0x20 below their small letters; 0xD7 and 0xF7 are the
    // multiplication and division signs, and 0xDF (sharp s) has no capital of its own.
    for (int byte = 0xC0; byte <= 0xDE; ++byte) {
        if (byte != 0xD7) table[byte] = static_cast<unsigned char>(byte + 0x20);
    }
    table[0x8A] = 0x9A;  // Š š
    table[0x8C] = 0x9C;  // Œ œ
    table[0x8E] = 0x9E;  // Ž ž
    table[0x9F] = 0xFF;  // Ÿ ÿ
    return table;
}

constexpr std::array<unsigned char, 256> kCp1252Lower = MakeCp1252LowerTable();

unsigned char FoldedByte(char c) {
    return kCp1252Lower[static_cast<unsigned char>(c)];
}

}  // namespace

char FoldCaseCp1252(char c) {
    return static_cast<char>(FoldedByte(c));
}

bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCaseAscii(a[i]) != FoldCaseAscii(b[i])) return false;
    }
    return true;
}

bool EqualNoCaseCp1252(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCaseCp1252(a, b) == 0;
}

int CompareNoCaseCp1252(std::string_view a, std::string_view b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        int difference = FoldedByte(a[i]) - FoldedByte(b[i]);
        if (difference != 0) return difference;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}
