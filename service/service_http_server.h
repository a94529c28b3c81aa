// The picture service's HTTP server: cpp-httplib's parsing, routing and replies, over a
// connection loop of our own. The library's own loop polls before every read and write, waits
// for a keep-alive connection's next request in short polls with sleeps between them (a request
// arriving during a sleep waits it out), asks the kernel for both addresses again on every
// request and sends the head and the body of each reply apart: about a dozen system calls per
// request where two do, which halved the requests a second the two cores could answer.
// Here a connection thread sleeps in one blocking read until the next request (or the idle
// time-out), and each reply leaves in one send. The library also listens with a short queue of
// waiting connections: a burst of clients beyond it loses its first handshake and waits a
// second or more to retry, so the queue is widened to the system's largest.
//
//     ServiceHttpServer server;
//     ConfigureService(server, store, options);
//     if (server.Bind("127.0.0.1", 8642)) server.listen_after_bind();   // until Stop() from another thread
//
// Stop() lets the requests under way finish and closes every other connection at once, so a
// stop never waits for idle keep-alive connections to time out.
#pragma once

#include <httplib.h>

#include <atomic>
#include <mutex>
#include <unordered_set>

class ServiceHttpServer : public httplib::Server {
public:
    // A connection without a complete request for this long is closed, as is one whose
    // reply cannot be sent for this long.
    static constexpr int kIdleSeconds = 5;

    ServiceHttpServer();

    // Listens on `port` of `host`; false when it cannot.
    [[nodiscard]] bool Bind(const std::string& host, int port);
    // Listens on a port the system chooses, and returns it; -1 when it cannot.
    [[nodiscard]] int BindToAnyPort(const std::string& host);
    void Stop();

    // The library's own ways, which would keep its short queue of waiting connections or leave
    // idle connections open until they time out.
    bool bind_to_port(const std::string&, int, int) = delete;
    int bind_to_any_port(const std::string&, int) = delete;
    bool listen(const std::string&, int, int) = delete;
    void stop() = delete;

private:
    bool process_and_close_socket(socket_t socket) override;
    void WidenListenQueue();

    // False when the server is stopping and the connection must not be served.
    [[nodiscard]] bool Enrol(socket_t socket);
    void Release(socket_t socket);

    std::mutex connectionsMutex_;
    std::unordered_set<socket_t> connections_;  // the open ones, for Stop()
    std::atomic<bool> stopping_ = false;        // set under the mutex, so that Enrol sees it in time
};
