#include "app/online/transfer_body.h"

#include <cstdlib>
#include <cstring>
#include <utility>

ReceivedBody::~ReceivedBody() {
    std::free(data_);
}

ReceivedBody::ReceivedBody(ReceivedBody&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

ReceivedBody& ReceivedBody::operator=(ReceivedBody&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void ReceivedBody::Clear() {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
}

bool ReceivedBody::Append(const void* bytes, size_t count, size_t limit) {
    if (count == 0) return true;
    // Both checks before any sum: count comes from outside and could wrap size_ + count.
    if (count > limit || size_ > limit - count) {
        Clear();
        return false;
    }
    const size_t needed = size_ + count + 1;  // the zero byte behind the data
    if (needed > capacity_) {
        // Doubling keeps a body of n bytes at O(n) copying however small the reads are.
        size_t grown = capacity_ < 4096 ? 4096 : capacity_;
        while (grown < needed) grown = grown > SIZE_MAX / 2 ? needed : grown * 2;
        if (grown > limit + 1) grown = limit + 1;
        auto* larger = static_cast<unsigned char*>(std::realloc(data_, grown));
        if (larger == nullptr) {
            Clear();
            return false;
        }
        data_ = larger;
        capacity_ = grown;
    }
    std::memcpy(data_ + size_, bytes, count);
    size_ += count;
    data_[size_] = 0;
    return true;
}

std::string_view ReceivedBody::Text() const {
    if (data_ == nullptr) return {};
    return std::string_view(reinterpret_cast<const char*>(data_), std::strlen(reinterpret_cast<const char*>(data_)));
}

TransferResult FinalTransferResult(size_t received, ContentLength announced) {
    if (received == 0) return TransferResult::NoBody;
    if (announced.known && received < announced.bytes) return TransferResult::Truncated;
    return TransferResult::Complete;
}

int32_t TransferProgressPosition(size_t received, ContentLength announced) {
    if (!announced.known || announced.bytes == 0) return -1;
    if (received >= announced.bytes) return 100;
    // received < announced here, and a body never passes kReceivedBodyLimit, so × 100 fits.
    return static_cast<int32_t>(static_cast<uint64_t>(received) * 100 / announced.bytes);
}
