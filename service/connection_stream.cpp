#include "service/connection_stream.h"

#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Written data up to this size waits for the rest of the reply; a larger body goes out as it
// comes instead of being copied.
constexpr size_t kGatheredBytes = 64 * 1024;

// The numeric address and port of `address`, or "" and -1.
void AddressText(const sockaddr_storage& address, socklen_t length, std::string& ip, int& port) {
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&address), length, host, sizeof host, service, sizeof service,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        return;
    }
    ip = host;
    port = std::atoi(service);
}

}  // namespace

ConnectionStream::ConnectionStream(socket_t socket) : socket_(socket) {
    sockaddr_storage address = {};
    socklen_t length = sizeof address;
    if (getpeername(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        AddressText(address, length, remoteIp_, remotePort_);
    }
    length = sizeof address;
    if (getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        AddressText(address, length, localIp_, localPort_);
    }
}

bool ConnectionStream::is_readable() const {
    // A read waits for data by itself, up to the socket's time-out.
    return !broken_;
}

ssize_t ConnectionStream::read(char* data, size_t size) {
    if (receivedStart_ == receivedEnd_) {
        // Whatever the reader waits for may depend on what was written (a "100 Continue").
        if (!Flush()) return -1;
        ssize_t count;
        do {
            count = recv(socket_, received_, sizeof received_, 0);
        } while (count < 0 && errno == EINTR);
        if (count <= 0) {
            broken_ = count < 0;
            return count < 0 ? -1 : 0;
        }
        receivedStart_ = 0;
        receivedEnd_ = static_cast<size_t>(count);
    }
    size_t count = std::min(size, receivedEnd_ - receivedStart_);
    std::memcpy(data, received_ + receivedStart_, count);
    receivedStart_ += count;
    return static_cast<ssize_t>(count);
}

ssize_t ConnectionStream::write(const char* data, size_t size) {
    if (broken_) return -1;
    if (unsent_.size() + size <= kGatheredBytes) {
        unsent_.append(data, size);
        return static_cast<ssize_t>(size);
    }
    if (!Flush() || !SendAll(data, size)) return -1;
    return static_cast<ssize_t>(size);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    ip = remoteIp_;
    port = remotePort_;
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    ip = localIp_;
    port = localPort_;
}

bool ConnectionStream::Flush() {
    if (unsent_.empty()) return !broken_;
    bool sent = SendAll(unsent_.data(), unsent_.size());
    unsent_.clear();
    return sent;
}

bool ConnectionStream::SendAll(const char* data, size_t size) {
    while (size > 0 && !broken_) {
        ssize_t count = send(socket_, data, size, MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            broken_ = true;
            break;
        }
        data += count;
        size -= static_cast<size_t>(count);
    }
    return !broken_;
}
