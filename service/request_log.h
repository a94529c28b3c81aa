// The service's log: one line per request,
//
//     2026-12-07T14:35:00Z 127.0.0.1 GET /health 200 3
//
// (time, client address, method, target, status, body bytes). A request thread only adds its
// line in memory; a writer thread writes what gathered to the file at most kWriteInterval later,
// or at once when kBatchBytes have gathered, so a busy service writes a few times a second
// instead of once per request. Lines keep their order, and the destructor writes the last ones.
// Should the file fall behind by kMostPendingBytes, requests wait for it rather than lines
// being lost or memory growing without end.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

class RequestLog {
public:
    static constexpr std::chrono::milliseconds kWriteInterval{100};
    static constexpr size_t kBatchBytes = 64 * 1024;
    static constexpr size_t kMostPendingBytes = 4 * 1024 * 1024;

    // `file` stays open and owned by the caller for the log's life.
    explicit RequestLog(FILE* file);
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;
    ~RequestLog();

    void Add(const httplib::Request& request, const httplib::Response& response);

private:
    void WriteUntilStopped();

    FILE* file_;
    std::mutex mutex_;
    std::condition_variable writerWake_;
    std::condition_variable drained_;
    std::string pending_;
    bool stopping_ = false;
    std::thread writer_;
};
