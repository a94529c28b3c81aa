#include "service/service_http_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "service/connection_stream.h"

namespace {

void SetTimeout(socket_t socket, int option, int seconds) {
    timeval limit = {};
    limit.tv_sec = seconds;
    setsockopt(socket, SOL_SOCKET, option, &limit, sizeof limit);
}

}  // namespace

ServiceHttpServer::ServiceHttpServer() {
    // A client keeps its connection for as many requests as it likes, as browsers and load
    // generators expect; the replies say how long an idle one is kept.
    set_keep_alive_max_count(1000000);
    set_keep_alive_timeout(kIdleSeconds);
    set_tcp_nodelay(true);
}

bool ServiceHttpServer::Bind(const std::string& host, int port) {
    if (!httplib::Server::bind_to_port(host, port)) return false;
    WidenListenQueue();
    return true;
}

int ServiceHttpServer::BindToAnyPort(const std::string& host) {
    int port = httplib::Server::bind_to_any_port(host);
    if (port >= 0) WidenListenQueue();
    return port;
}

void ServiceHttpServer::WidenListenQueue() {
    // Listening again on a listening socket only changes the length of its queue.
    ::listen(svr_sock_, SOMAXCONN);
}

void ServiceHttpServer::Stop() {
    {
        std::lock_guard lock(connectionsMutex_);
        stopping_ = true;
        // A connection waiting for its next request reads the end at once; one whose request
        // is under way still sends its reply, then reads the end.
        for (socket_t socket : connections_) shutdown(socket, SHUT_RD);
    }
    httplib::Server::stop();
}

bool ServiceHttpServer::process_and_close_socket(socket_t socket) {
    bool served = false;
    if (Enrol(socket)) {
        SetTimeout(socket, SO_RCVTIMEO, kIdleSeconds);
        SetTimeout(socket, SO_SNDTIMEO, kIdleSeconds);
        int one = 1;
        setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ConnectionStream stream(socket);
        for (;;) {
            bool closeAfterReply = stopping_;
            bool clientClosed = false;
            served = process_request(stream, closeAfterReply, clientClosed, nullptr);
            served = stream.Flush() && served;
            if (!served || clientClosed || closeAfterReply) break;
        }
        // Out of the set before the number can name another connection.
        Release(socket);
    }
    shutdown(socket, SHUT_RDWR);
    close(socket);
    return served;
}

bool ServiceHttpServer::Enrol(socket_t socket) {
    std::lock_guard lock(connectionsMutex_);
    if (stopping_) return false;
    connections_.insert(socket);
    return true;
}

void ServiceHttpServer::Release(socket_t socket) {
    std::lock_guard lock(connectionsMutex_);
    connections_.erase(socket);
}
