// One owner for every kind of system handle: it closes its handle exactly once, when it goes
// away or is reset, and can be moved but not copied, so a handle has one owner at a time and
// an early return cannot leak it. A kind of handle is described by traits: its type, the
// value that means "none" and how it is closed. Most handles are null when there is none and
// are closed by one function:
//
//     using OwnedHandle = UniqueHandle<HandleClosedBy<HANDLE, CloseHandle>>;
//
//     OwnedHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
//     if (!event.IsValid()) return false;
//
// The owners of the foundation are declared in gdi_owners_win32.h (GDI objects and device
// contexts), system_handles_win32.h (kernel handles, files, registry keys) and
// com_owners_win32.h (COM interfaces).
#pragma once

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    [[nodiscard]] Handle Get() const noexcept { return handle_; }
    [[nodiscard]] bool IsValid() const noexcept { return handle_ != Traits::Invalid(); }

    // Gives the handle up without closing it; the caller owns it from now on.
    [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

    // Closes the handle held (if any) and takes `handle` instead.
    void Reset(Handle handle = Traits::Invalid()) noexcept {
        Handle previous = std::exchange(handle_, handle);
        if (previous != Traits::Invalid() && previous != handle) Traits::Close(previous);
    }

    // For creation functions that return their handle through a pointer: closes the handle
    // held and hands out the address to fill.
    [[nodiscard]] Handle* Receive() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// The traits of a handle that is null when there is none and that `close` closes.
template <typename HandleType, auto close>
struct HandleClosedBy {
    using Handle = HandleType;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { close(handle); }
};
