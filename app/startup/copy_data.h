// What the main window accepts through WM_COPYDATA. Any process can send it, so its data is
// treated as hostile: only a second start of this program has a reason to send it, with
// dwData 0 and its command line.
//
//     CopyDataAnswer answer = AcceptCopyData(data->dwData, data->lpData, data->cbData);
//     if (answer.argument) SendMessage(window, WM_APP_OPEN_ARGUMENT, 0, (LPARAM)answer.argument.release());
//     return answer.result;
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// More than this many bytes cannot be a command line the program would keep.
constexpr size_t kMaxCopyDataSize = 2048;

struct CopyDataAnswer {
    int result = 0;                    // the message's answer: 0 refused, 1 taken (or dropped)
    std::unique_ptr<char[]> argument;  // the command line to open, or null
};

// dwData other than 0 is refused (0); more than kMaxCopyDataSize bytes, or no data behind a
// size, are acknowledged and dropped (1, no argument); anything else is copied into a new
// block (1, argument). The copy always ends in a NUL, also when the sender's bytes do not,
// so nothing downstream reads past what was sent.
[[nodiscard]] CopyDataAnswer AcceptCopyData(uintptr_t dwData, const void* data, size_t size);
