#include "ui/name_filter.h"

#include <string_view>

namespace {

// The printable ASCII that names may hold; the byte values from 0xA1 up pass as well.
constexpr std::string_view kAllowedAscii =
    " !#$%&'()+,-.0123456789;=@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{}~";
static_assert(kAllowedAscii.size() == 86);

constexpr uint32_t kFirstAllowedHighByte = 0xA1;

}  // namespace

bool IsAllowedNameCharacter(uint32_t code) {
    if (code < 32) return true;
    if (code > 0xFF) return false;
    if (code >= kFirstAllowedHighByte) return true;
    return kAllowedAscii.find(static_cast<char>(code)) != std::string_view::npos;
}
