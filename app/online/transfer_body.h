// The portable half of an HTTP transfer: the body collected in memory, the result codes a
// transfer ends with, and the arithmetic of its progress and its final result. The thread that
// drives WinINet is app/online/transfer_worker_win32.h.
//
//     ReceivedBody body;
//     if (!body.Append(chunk, count)) ...          // over the limit or out of memory: result 8
//     TransferResult result = FinalTransferResult(body.Size(), contentLength);
//     std::string_view text = body.Text();         // a NUL always follows the bytes
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// How a transfer ended; the numbers are the product's shared result codes.
enum class TransferResult : uint32_t {
    Complete = 0,      // the whole body, or as much as the server sent without announcing a length
    Running = 1,       // not ended yet
    NotFound = 2,      // HTTP status 404, whatever body came with it
    NoConnection = 5,  // no internet connection, or no internet handle
    OutOfMemory = 8,   // the body could not be kept (no memory, or larger than kReceivedBodyLimit)
    NoBody = 9,        // the address could not be opened, or not one body byte arrived
    Truncated = 10,    // fewer bytes than the announced content length; the body holds them
};

// No reply of the service comes near this; a body that grows past it is refused rather than
// allowed to take the process's memory.
constexpr size_t kReceivedBodyLimit = size_t{64} << 20;

// The bytes of one reply, owned by whoever holds the object; moves but does not copy. One zero
// byte is always kept behind the data (not counted in Size()), so a text reply reads as a
// string.
class ReceivedBody {
public:
    ReceivedBody() = default;
    ~ReceivedBody();
    ReceivedBody(ReceivedBody&& other) noexcept;
    ReceivedBody& operator=(ReceivedBody&& other) noexcept;
    ReceivedBody(const ReceivedBody&) = delete;
    ReceivedBody& operator=(const ReceivedBody&) = delete;

    // Appends `count` bytes. False, leaving the body empty and its memory freed, when the body
    // would pass `limit` or memory runs out: a body that lost bytes is worth nothing.
    [[nodiscard]] bool Append(const void* bytes, size_t count, size_t limit = kReceivedBodyLimit);
    void Clear();

    [[nodiscard]] const unsigned char* Data() const { return data_; }  // null while empty
    [[nodiscard]] size_t Size() const { return size_; }
    [[nodiscard]] bool Empty() const { return size_ == 0; }
    // The body as text: up to its end, which a NUL inside it brings forward.
    [[nodiscard]] std::string_view Text() const;

private:
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;  // bytes allocated, the zero byte's included
};

// The content length a server announced, or none.
struct ContentLength {
    bool known = false;
    uint64_t bytes = 0;
};

// The result of a read loop that ended without running out of memory: with data, complete
// unless a known content length was not reached (Truncated); without data, NoBody.
[[nodiscard]] TransferResult FinalTransferResult(size_t received, ContentLength announced);

// The percentage a progress report shows: received × 100 / announced in integer arithmetic,
// never above 100 (a server may send more than it announced). -1 (no report) when no length
// or a length of 0 was announced.
[[nodiscard]] int32_t TransferProgressPosition(size_t received, ContentLength announced);
