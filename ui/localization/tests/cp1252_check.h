// Checks shared by the text tests: whether bytes are plain code page 1252 text.
#pragma once

#include <string>

namespace cp1252_check {

// Describes the first problem of `bytes` as code page 1252 text, or returns an empty string.
// Refused: the five byte values that code page 1252 leaves undefined, control characters other
// than the line breaks that `allowed` lists, and UTF-8 sequences (a lead byte followed by
// continuation bytes), which is what a UTF-8 editor leaves behind in a text meant to be 1252.
inline std::string FirstProblem(const std::string& bytes, const std::string& allowed = "\n") {
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
            return "undefined byte " + std::to_string(byte) + " at " + std::to_string(i);
        }
        if ((byte < 0x20 || byte == 0x7F) && allowed.find(static_cast<char>(byte)) == std::string::npos) {
            return "control character " + std::to_string(byte) + " at " + std::to_string(i);
        }
        if (byte >= 0xC2 && byte <= 0xF4 && i + 1 < bytes.size()) {
            unsigned char next = static_cast<unsigned char>(bytes[i + 1]);
            if (next >= 0x80 && next <= 0xBF) return "UTF-8 sequence at " + std::to_string(i);
        }
    }
    return {};
}

}  // namespace cp1252_check
