#include "bench/service/http_reply_framing.h"

#include <cctype>
#include <charconv>

namespace {

// A header block larger than this is not a reply of the service.
constexpr size_t kLargestHeader = 16384;

bool SameWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

ReplyFrame FrameReply(std::string_view received) {
    ReplyFrame frame;
    size_t blank = received.find("\r\n\r\n");
    if (blank == std::string_view::npos) {
        if (received.size() > kLargestHeader) frame.state = ReplyState::kMalformed;
        return frame;
    }
    frame.headerLength = blank + 4;
    std::string_view headers = received.substr(0, blank + 2);
    frame.state = ReplyState::kMalformed;

    // "HTTP/1.1 200 OK"
    size_t lineEnd = headers.find("\r\n");
    std::string_view statusLine = headers.substr(0, lineEnd);
    if (!statusLine.starts_with("HTTP/1.") || statusLine.size() < 12 || statusLine[8] != ' ') return frame;
    if (std::from_chars(statusLine.data() + 9, statusLine.data() + 12, frame.status).ec != std::errc()) return frame;

    bool sized = false;
    for (size_t start = lineEnd + 2; start < headers.size();) {
        size_t end = headers.find("\r\n", start);
        std::string_view line = headers.substr(start, end - start);
        start = end + 2;
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) return frame;
        std::string_view name = line.substr(0, colon);
        std::string_view value = Trimmed(line.substr(colon + 1));
        if (SameWithoutCase(name, "Content-Length")) {
            auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), frame.bodyLength);
            if (error != std::errc() || rest != value.data() + value.size()) return frame;
            sized = true;
        } else if (SameWithoutCase(name, "Connection") && SameWithoutCase(value, "close")) {
            frame.closes = true;
        }
    }
    if (!sized) return frame;
    frame.state =
        received.size() - frame.headerLength >= frame.bodyLength ? ReplyState::kComplete : ReplyState::kIncomplete;
    return frame;
}
