#include "service/request_log.h"

#include <httplib.h>

#include <algorithm>

#include "base/system_time.h"

RequestLog::RequestLog(FILE* file) : file_(file), writer_([this] { WriteUntilStopped(); }) {}

RequestLog::~RequestLog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    writerWake_.notify_one();
    writer_.join();
}

void RequestLog::Add(const httplib::Request& request, const httplib::Response& response) {
    SystemTime now = CurrentUtcTime();
    char line[2400];
    int length = std::snprintf(
        line, sizeof line, "%04u-%02u-%02uT%02u:%02u:%02uZ %s %s %.2000s %d %zu\n", static_cast<unsigned>(now.wYear),
        static_cast<unsigned>(now.wMonth), static_cast<unsigned>(now.wDay), static_cast<unsigned>(now.wHour),
        static_cast<unsigned>(now.wMinute), static_cast<unsigned>(now.wSecond), request.remote_addr.c_str(),
        request.method.c_str(), request.target.c_str(), response.status, response.body.size());
    if (length <= 0) return;
    std::unique_lock lock(mutex_);
    drained_.wait(lock, [this] { return pending_.size() < kMostPendingBytes; });
    bool wasBelowBatch = pending_.size() < kBatchBytes;
    pending_.append(line, std::min(static_cast<size_t>(length), sizeof line - 1));
    if (wasBelowBatch && pending_.size() >= kBatchBytes) writerWake_.notify_one();
}

void RequestLog::WriteUntilStopped() {
    std::string batch;
    std::unique_lock lock(mutex_);
    for (;;) {
        writerWake_.wait_for(lock, kWriteInterval, [this] { return stopping_ || pending_.size() >= kBatchBytes; });
        bool last = stopping_;
        if (!pending_.empty()) {
            batch.swap(pending_);
            lock.unlock();
            drained_.notify_all();
            std::fwrite(batch.data(), 1, batch.size(), file_);
            std::fflush(file_);
            batch.clear();
            lock.lock();
        }
        if (last && pending_.empty()) return;
    }
}
