// Benchmark load at a constant rate (wrk only loads as fast as it can): GET requests over
// keep-alive connections, request i due at start + i / RATE whatever happened before it.
//
//     paced_load --name NAME --rate 10000 --seconds 5 --connections 32 --expect PREFIX URL...
//
// A request's latency runs from the moment it was due to its reply's last byte, so a server
// that stalls is charged for every request that waited behind the stall; timing from the
// moment a request is written, as wrk does, would hide that wait. Each connection carries one
// request at a time; the connections go round the URLs (one per instance), and a request due
// while every connection is busy waits for the first to come free. Prints one line: the
// achieved rate, p50, p90, p99, p99.9 and the largest latency, and the errors: connections
// that failed or broke, replies that were not 200 or did not begin with PREFIX, and requests
// without a reply within five seconds or never sent. One thread does it all, so the load
// generator takes one core at most from the server it measures.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "bench/service/http_reply_framing.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kReplyTimeout = std::chrono::seconds(5);
constexpr auto kReconnectPause = std::chrono::milliseconds(10);

struct Target {
    sockaddr_in address = {};
    std::string request;  // the whole GET request, sent as it is each time
};

struct Settings {
    std::string name = "paced";
    double rate = 10000;
    double seconds = 5;
    int connections = 32;
    std::string expect;
    std::vector<Target> targets;
};

enum class ConnectionState { kClosed, kConnecting, kIdle, kBusy };

struct Connection {
    int fd = -1;
    size_t target = 0;
    ConnectionState state = ConnectionState::kClosed;
    Clock::time_point due;    // when the request under way was due
    Clock::time_point retry;  // a closed connection opens again from then on
    size_t written = 0;       // of the request under way
    std::string received;
};

struct Figures {
    std::vector<uint32_t> latencies;  // microseconds, one per reply
    long socketErrors = 0;            // failed connections, broken ones, time-outs, requests never sent
    long statusErrors = 0;
    long bodyErrors = 0;
    Clock::time_point lastReply;
};

// "http://127.0.0.1:8080/path?query" into `target`; loopback benchmarks need numeric addresses only.
bool ParseUrl(const std::string& url, Target& target) {
    constexpr std::string_view kScheme = "http://";
    if (!url.starts_with(kScheme)) return false;
    size_t hostStart = kScheme.size();
    size_t pathStart = url.find('/', hostStart);
    if (pathStart == std::string::npos) return false;
    std::string hostPort = url.substr(hostStart, pathStart - hostStart);
    size_t colon = hostPort.rfind(':');
    if (colon == std::string::npos) return false;
    int port = std::atoi(hostPort.c_str() + colon + 1);
    if (port <= 0 || port > 65535) return false;
    target.address.sin_family = AF_INET;
    target.address.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, hostPort.substr(0, colon).c_str(), &target.address.sin_addr) != 1) return false;
    target.request = "GET " + url.substr(pathStart) + " HTTP/1.1\r\nHost: " + hostPort +
                     "\r\nUser-Agent: paced_load\r\nAccept: */*\r\n\r\n";
    return true;
}

bool ParseArguments(int argc, char** argv, Settings& settings) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool hasValue = i + 1 < argc;
        if (argument == "--name" && hasValue) {
            settings.name = argv[++i];
        } else if (argument == "--rate" && hasValue) {
            settings.rate = std::atof(argv[++i]);
        } else if (argument == "--seconds" && hasValue) {
            settings.seconds = std::atof(argv[++i]);
        } else if (argument == "--connections" && hasValue) {
            settings.connections = std::atoi(argv[++i]);
        } else if (argument == "--expect" && hasValue) {
            settings.expect = argv[++i];
        } else {
            Target target;
            if (!ParseUrl(argument, target)) return false;
            settings.targets.push_back(std::move(target));
        }
    }
    return settings.rate > 0 && settings.seconds > 0 && settings.connections > 0 && !settings.targets.empty();
}

class PacedLoad {
public:
    explicit PacedLoad(const Settings& settings) : settings_(settings) {
        epoll_ = epoll_create1(EPOLL_CLOEXEC);
        timer_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        epoll_event event = {};
        event.events = EPOLLIN;
        event.data.u64 = kTimerKey;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, timer_, &event);
        connections_.resize(static_cast<size_t>(settings.connections));
        for (size_t i = 0; i < connections_.size(); ++i) connections_[i].target = i % settings.targets.size();
    }
    PacedLoad(const PacedLoad&) = delete;
    PacedLoad& operator=(const PacedLoad&) = delete;
    ~PacedLoad() {
        for (Connection& connection : connections_) {
            if (connection.fd >= 0) close(connection.fd);
        }
        close(timer_);
        close(epoll_);
    }

    // Opens the connections (five seconds at most: a handshake the server dropped is tried
    // again a second later, then three), then sends every request on time and waits for the
    // last replies.
    void Run() {
        for (size_t i = 0; i < connections_.size(); ++i) Open(i);
        Clock::time_point openBy = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < openBy && idle_.size() < connections_.size()) {
            CheckConnections(Clock::now());
            Wait(Clock::now() + kReconnectPause);
        }
        if (idle_.size() < connections_.size()) {
            std::fprintf(stderr, "paced_load: %zu of %zu connections open at the start\n", idle_.size(),
                         connections_.size());
        }

        const long total = std::lround(settings_.rate * settings_.seconds);
        start_ = Clock::now();
        const Clock::time_point giveUp =
            start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(settings_.seconds)) +
            kReplyTimeout;
        while (Clock::now() < giveUp) {
            Clock::time_point now = Clock::now();
            while (issued_ < total && Due(issued_) <= now && !idle_.empty()) {
                size_t index = idle_.front();
                idle_.pop_front();
                Send(index, Due(issued_++));
            }
            if (issued_ == total && busy_ == 0) break;
            CheckConnections(now);
            Wait(issued_ < total && !idle_.empty() ? Due(issued_) : now + kReconnectPause);
        }
        figures_.socketErrors += (total - issued_) + busy_;  // never sent, or never answered
    }

    void Print() {
        std::vector<uint32_t>& latencies = figures_.latencies;
        std::sort(latencies.begin(), latencies.end());
        auto percentile = [&](double fraction) {
            if (latencies.empty()) return 0.0;
            size_t rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(latencies.size())));
            return latencies[std::min(latencies.size(), std::max<size_t>(rank, 1)) - 1] / 1000.0;
        };
        double elapsed = std::chrono::duration<double>(figures_.lastReply - start_).count();
        double achieved = elapsed > 0 ? static_cast<double>(latencies.size()) / elapsed : 0;
        long errors = figures_.socketErrors + figures_.statusErrors + figures_.bodyErrors;
        std::printf("%-36s %10.0f %6.2fms %6.2fms %6.2fms %7.2fms %7.2fms %7ld\n", settings_.name.c_str(), achieved,
                    percentile(0.50), percentile(0.90), percentile(0.99), percentile(0.999), percentile(1.0), errors);
        if (errors > 0) {
            std::printf("    (%ld socket or time-out, %ld status, %ld body)\n", figures_.socketErrors,
                        figures_.statusErrors, figures_.bodyErrors);
        }
    }

private:
    static constexpr uint64_t kTimerKey = ~uint64_t{0};

    Clock::time_point Due(long request) const {
        return start_ + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(static_cast<double>(request) / settings_.rate));
    }

    void Open(size_t index) {
        Connection& connection = connections_[index];
        connection.fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const Target& target = settings_.targets[connection.target];
        if (connection.fd < 0 ||
            (connect(connection.fd, reinterpret_cast<const sockaddr*>(&target.address), sizeof target.address) != 0 &&
             errno != EINPROGRESS)) {
            Drop(index);
            return;
        }
        int one = 1;
        setsockopt(connection.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        connection.state = ConnectionState::kConnecting;
        epoll_event event = {};
        event.events = EPOLLIN | EPOLLOUT;
        event.data.u64 = index;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, connection.fd, &event);
    }

    // Counts the failure, closes the connection and opens it again a little later.
    void Drop(size_t index) {
        Connection& connection = connections_[index];
        ++figures_.socketErrors;
        if (connection.state == ConnectionState::kBusy) --busy_;
        if (connection.state == ConnectionState::kIdle) std::erase(idle_, index);
        Close(connection);
        connection.retry = Clock::now() + kReconnectPause;
    }

    void Close(Connection& connection) {
        if (connection.fd >= 0) close(connection.fd);  // closing also takes it out of the epoll set
        connection.fd = -1;
        connection.state = ConnectionState::kClosed;
        connection.received.clear();
    }

    void Send(size_t index, Clock::time_point due) {
        Connection& connection = connections_[index];
        connection.state = ConnectionState::kBusy;
        connection.due = due;
        connection.written = 0;
        ++busy_;
        Write(index);
    }

    void Write(size_t index) {
        Connection& connection = connections_[index];
        const std::string& request = settings_.targets[connection.target].request;
        size_t before = connection.written;
        while (connection.written < request.size()) {
            ssize_t sent = send(connection.fd, request.data() + connection.written, request.size() - connection.written,
                                MSG_NOSIGNAL);
            if (sent < 0 && errno == EAGAIN) return Watch(index, EPOLLIN | EPOLLOUT);  // the rest when it may go
            if (sent <= 0) return Drop(index);
            connection.written += static_cast<size_t>(sent);
        }
        if (before > 0) Watch(index, EPOLLIN);  // the rest went after a wait
    }

    void Watch(size_t index, uint32_t events) {
        epoll_event event = {};
        event.events = events;
        event.data.u64 = index;
        epoll_ctl(epoll_, EPOLL_CTL_MOD, connections_[index].fd, &event);
    }

    // Reopens closed connections whose pause is over, and drops those whose reply is late.
    void CheckConnections(Clock::time_point now) {
        if (now < nextCheck_) return;
        nextCheck_ = now + kReconnectPause;
        for (size_t i = 0; i < connections_.size(); ++i) {
            Connection& connection = connections_[i];
            if (connection.state == ConnectionState::kClosed && now >= connection.retry) Open(i);
            if (connection.state == ConnectionState::kBusy && now - connection.due > kReplyTimeout) Drop(i);
        }
    }

    // Handles what the sockets report until `until` at the latest.
    void Wait(Clock::time_point until) {
        itimerspec when = {};
        auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(until.time_since_epoch()).count();
        when.it_value.tv_sec = static_cast<time_t>(nanoseconds / 1000000000);
        when.it_value.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
        if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0) when.it_value.tv_nsec = 1;
        timerfd_settime(timer_, TFD_TIMER_ABSTIME, &when, nullptr);
        epoll_event events[64];
        int count = epoll_wait(epoll_, events, 64, 100);
        for (int i = 0; i < count; ++i) {
            if (events[i].data.u64 == kTimerKey) {
                uint64_t expirations;
                (void)!read(timer_, &expirations, sizeof expirations);
                continue;
            }
            Handle(static_cast<size_t>(events[i].data.u64), events[i].events);
        }
    }

    void Handle(size_t index, uint32_t events) {
        Connection& connection = connections_[index];
        if (connection.fd < 0) return;  // dropped earlier in this round of events
        if (connection.state == ConnectionState::kConnecting) {
            int failure = 0;
            socklen_t length = sizeof failure;
            getsockopt(connection.fd, SOL_SOCKET, SO_ERROR, &failure, &length);
            if (failure != 0 || (events & (EPOLLERR | EPOLLHUP))) return Drop(index);
            if (!(events & EPOLLOUT)) return;
            connection.state = ConnectionState::kIdle;
            Watch(index, EPOLLIN);
            idle_.push_back(index);
            return;
        }
        if (connection.state == ConnectionState::kBusy && (events & EPOLLOUT)) Write(index);
        if (events & (EPOLLIN | EPOLLERR | EPOLLHUP)) Read(index);
    }

    void Read(size_t index) {
        Connection& connection = connections_[index];
        char buffer[65536];
        for (;;) {
            ssize_t count = recv(connection.fd, buffer, sizeof buffer, 0);
            if (count < 0 && errno == EAGAIN) break;
            if (count == 0 && connection.state == ConnectionState::kIdle) {
                // The server closed a connection that waited too long for its next request.
                std::erase(idle_, index);
                Close(connection);
                return;
            }
            if (count <= 0 || connection.state != ConnectionState::kBusy) return Drop(index);
            connection.received.append(buffer, static_cast<size_t>(count));
        }
        ReplyFrame frame = FrameReply(connection.received);
        if (frame.state == ReplyState::kIncomplete) return;
        if (frame.state == ReplyState::kMalformed) return Drop(index);
        Clock::time_point now = Clock::now();
        figures_.latencies.push_back(
            static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now - connection.due).count()));
        figures_.lastReply = now;
        std::string_view body = std::string_view(connection.received).substr(frame.headerLength, frame.bodyLength);
        if (frame.status != 200) {
            ++figures_.statusErrors;
        } else if (!body.starts_with(settings_.expect)) {
            ++figures_.bodyErrors;
        }
        connection.received.clear();
        --busy_;
        if (frame.closes) {
            Close(connection);
            connection.retry = now;
            return;
        }
        connection.state = ConnectionState::kIdle;
        idle_.push_back(index);
    }

    const Settings& settings_;
    int epoll_ = -1;
    int timer_ = -1;
    std::vector<Connection> connections_;
    std::deque<size_t> idle_;  // in turn, so that every connection and instance gets its share
    long busy_ = 0;
    long issued_ = 0;
    Clock::time_point start_;
    Clock::time_point nextCheck_;
    Figures figures_;
};

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    if (!ParseArguments(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: paced_load [--name NAME] [--rate PER_SECOND] [--seconds S] [--connections N] "
                     "[--expect PREFIX] http://ADDRESS:PORT/PATH...\n");
        return 2;
    }
    // Timers fire on the microsecond rather than within the default 50 µs of slack.
    prctl(PR_SET_TIMERSLACK, 1UL);
    PacedLoad load(settings);
    load.Run();
    load.Print();
    return 0;
}
