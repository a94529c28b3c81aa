// Where one HTTP/1.1 reply ends in the bytes read so far from a keep-alive connection, for the
// paced load generator: the status line, the headers and a body of Content-Length bytes (the
// service always sends one; a reply without it cannot be framed and counts as malformed).
//
//     ReplyFrame frame = FrameReply(received);
//     if (frame.state == ReplyState::kComplete) ... received.substr(frame.headerLength, frame.bodyLength) ...
#pragma once

#include <cstddef>
#include <string_view>

enum class ReplyState { kIncomplete, kComplete, kMalformed };

struct ReplyFrame {
    ReplyState state = ReplyState::kIncomplete;
    int status = 0;
    size_t headerLength = 0;  // up to and including the blank line
    size_t bodyLength = 0;
    bool closes = false;  // "Connection: close": the server ends the connection after this reply
};

[[nodiscard]] ReplyFrame FrameReply(std::string_view received);
