#include "base/name_characters.h"

#include <string_view>

namespace {

// The printable ASCII that names may hold; the byte values from 0xA1 up pass as well.
constexpr std::string_view kAllowedAscii =
    " !#$%&'()+,-.0123456789;=@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{}~";
static_assert(kAllowedAscii.size() == 86);

constexpr unsigned char kFirstAllowedHighByte = 0xA1;

}  // namespace

bool IsNameCharacter(unsigned char byte) {
    if (byte >= kFirstAllowedHighByte) return true;
    return byte != 0 && kAllowedAscii.find(static_cast<char>(byte)) != std::string_view::npos;
}

bool IsAllowedNameCharacter(uint32_t code) {
    if (code < 32) return true;
    return code <= 0xFF && IsNameCharacter(static_cast<unsigned char>(code));
}
