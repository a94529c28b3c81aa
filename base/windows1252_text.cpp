#include "base/windows1252_text.h"

#include <cstddef>
#include <cstdint>

namespace {

// The characters of the bytes 0x80 to 0x9F, where the code page departs from Latin-1; 0 for
// the five unassigned bytes.
constexpr uint16_t kHighTable[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The character at `in[i]` and its length in bytes; a length of 0 for a malformed sequence.
uint32_t DecodeUtf8(std::string_view in, size_t i, size_t& length) {
    const unsigned char lead = static_cast<unsigned char>(in[i]);
    length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > in.size()) {
        length = 0;
        return 0;
    }
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(in[i + k]);
        if ((next & 0xC0) != 0x80) {
            length = 0;
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    return code;
}

// The byte of `code` in the code page, or 0 when it has none (the NUL is never asked for
// through this, as it is ASCII).
unsigned char EncodeWindows1252(uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
    // The unassigned bytes stand for the control characters of their own number, both ways.
    if (code >= 0x80 && code < 0xA0 && kHighTable[code - 0x80] == 0) return static_cast<unsigned char>(code);
    for (size_t k = 0; k < 32; ++k) {
        if (kHighTable[k] != 0 && kHighTable[k] == code) return static_cast<unsigned char>(0x80 + k);
    }
    return 0;
}

// Converts `in`; without a replacement (NUL) it stops at the first character it cannot take.
bool ConvertUtf8(std::string_view in, std::string& out, char replacement) {
    for (size_t i = 0; i < in.size();) {
        size_t length = 0;
        const uint32_t code = DecodeUtf8(in, i, length);
        if (length == 0) {
            if (replacement == '\0') return false;
            out.push_back(replacement);
            ++i;
            continue;
        }
        i += length;
        if (code == 0xFEFF && out.empty()) continue;  // a byte-order mark
        const unsigned char byte = EncodeWindows1252(code);
        if (byte == 0 && code != 0) {
            if (replacement == '\0') return false;
            out.push_back(replacement);
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
    return true;
}

}  // namespace

bool Utf8ToWindows1252(const std::string& in, std::string& out) {
    std::string result;
    if (!ConvertUtf8(in, result, '\0')) return false;
    out = result;
    return true;
}

std::string Utf8ToWindows1252Replacing(std::string_view in, char replacement) {
    std::string result;
    (void)ConvertUtf8(in, result, replacement);
    return result;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool departs = byte >= 0x80 && byte < 0xA0 && kHighTable[byte - 0x80] != 0;
        AppendUtf8(out, departs ? kHighTable[byte - 0x80] : byte);
    }
    return out;
}
