// What the transfer worker needs to know about an address before it opens it: whether its
// server is this machine, which needs no internet connection, so the connectivity check is
// skipped for it: the service of a test or of a self-hosted installation answers on loopback
// whether the internet is there or not.
#pragma once

#include <string_view>

// An http or https address whose host is "localhost", an IPv4 address in 127.0.0.0/8 or "[::1]".
[[nodiscard]] bool IsLoopbackAddress(std::string_view address);
