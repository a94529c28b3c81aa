#include "app/online/transfer_address.h"

#include "base/text_case.h"

namespace {

// The host of an http or https address (without port, user or path), or empty.
std::string_view AddressHost(std::string_view address) {
    const size_t scheme = address.find("://");
    if (scheme == std::string_view::npos) return {};
    const std::string_view name = address.substr(0, scheme);
    if (!EqualNoCaseAscii(name, "http") && !EqualNoCaseAscii(name, "https")) return {};
    std::string_view authority = address.substr(scheme + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    const size_t user = authority.rfind('@');
    if (user != std::string_view::npos) authority = authority.substr(user + 1);
    if (!authority.empty() && authority.front() == '[') return authority.substr(0, authority.find(']') + 1);
    return authority.substr(0, authority.find(':'));
}

// Four decimal numbers of 0 to 255 separated by dots, the first 127.
bool IsLoopbackIpv4(std::string_view host) {
    int parts = 0;
    size_t at = 0;
    while (at <= host.size()) {
        size_t end = host.find('.', at);
        if (end == std::string_view::npos) end = host.size();
        const std::string_view part = host.substr(at, end - at);
        if (part.empty() || part.size() > 3) return false;
        int value = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + (c - '0');
        }
        if (value > 255 || (parts == 0 && value != 127)) return false;
        ++parts;
        at = end + 1;
    }
    return parts == 4;
}

}  // namespace

bool IsLoopbackAddress(std::string_view address) {
    const std::string_view host = AddressHost(address);
    return EqualNoCaseAscii(host, "localhost") || host == "[::1]" || IsLoopbackIpv4(host);
}
