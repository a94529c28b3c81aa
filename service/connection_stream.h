// One keep-alive connection as cpp-httplib's request processing sees it: reads come from a
// buffer refilled by one blocking receive, writes gather until the reply is complete (or large)
// and leave in one send, and both addresses are asked for once per connection. The socket
// carries the time-outs (SO_RCVTIMEO, SO_SNDTIMEO); a read or write that times out fails.
#pragma once

#include <httplib.h>

#include <string>

class ConnectionStream final : public httplib::Stream {
public:
    // `socket` stays owned by the caller.
    explicit ConnectionStream(socket_t socket);

    bool is_readable() const override;
    bool is_writable() const override { return !broken_; }
    ssize_t read(char* data, size_t size) override;
    ssize_t write(const char* data, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return socket_; }

    // Sends what was written and not yet sent; false when the connection failed.
    [[nodiscard]] bool Flush();

private:
    [[nodiscard]] bool SendAll(const char* data, size_t size);

    socket_t socket_;
    bool broken_ = false;
    char received_[4096];
    size_t receivedStart_ = 0;
    size_t receivedEnd_ = 0;
    std::string unsent_;
    std::string remoteIp_;
    std::string localIp_;
    int remotePort_ = -1;
    int localPort_ = -1;
};
