// Idle database connections kept for the next request, so that a busy server opens each of
// its connections once. A request leases one (opening a new one when none is idle) and gives
// it back when done, unless the lease was spoiled because the connection broke.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

template <typename Connection>
class ConnectionPool {
public:
    using Opener = std::function<std::unique_ptr<Connection>()>;

    class Lease {
    public:
        Lease(ConnectionPool* pool, std::unique_ptr<Connection> connection)
            : pool_(pool), connection_(std::move(connection)) {}
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() {
            if (connection_) pool_->GiveBack(std::move(connection_));
        }
        [[nodiscard]] explicit operator bool() const { return connection_ != nullptr; }
        Connection* operator->() const { return connection_.get(); }
        Connection& operator*() const { return *connection_; }
        // The connection is closed instead of kept.
        void Spoil() { connection_.reset(); }

    private:
        ConnectionPool* pool_;
        std::unique_ptr<Connection> connection_;
    };

    explicit ConnectionPool(Opener opener) : opener_(std::move(opener)) {}

    // An idle connection or a new one; an empty lease when none can be opened.
    [[nodiscard]] Lease Acquire() {
        {
            std::lock_guard lock(mutex_);
            if (!idle_.empty()) {
                std::unique_ptr<Connection> connection = std::move(idle_.back());
                idle_.pop_back();
                return Lease(this, std::move(connection));
            }
        }
        return Lease(this, opener_());
    }

private:
    void GiveBack(std::unique_ptr<Connection> connection) {
        std::lock_guard lock(mutex_);
        idle_.push_back(std::move(connection));
    }

    Opener opener_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Connection>> idle_;
};
