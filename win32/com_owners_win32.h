// COM on one thread: the library's initialisation for as long as a scope lasts, and an owner
// of one interface reference that releases it once.
//
//     ScopedComInitialization com;                  // first, so that it ends last
//     ComPtr<IActiveDesktop> desktop;
//     if (SUCCEEDED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId,
//                                    desktop.ReceiveVoid()))) {
//         desktop->ApplyChanges(flags);
//     }
//
// Every interface must be released before the library's initialisation ends, so declare a
// ComPtr after the ScopedComInitialization it depends on.
#pragma once

#include <objbase.h>

#include "win32/unique_handle.h"

template <typename Interface>
struct ComInterfaceTraits {
    using Handle = Interface*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle reference) noexcept { reference->Release(); }
};

// One reference to a COM interface; moving it moves the reference (no AddRef, no Release).
template <typename Interface>
class ComPtr : public UniqueHandle<ComInterfaceTraits<Interface>> {
public:
    using UniqueHandle<ComInterfaceTraits<Interface>>::UniqueHandle;

    Interface* operator->() const noexcept { return this->Get(); }

    // For CoCreateInstance and QueryInterface, which return the reference through a void**.
    [[nodiscard]] void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(this->Receive()); }
};

// CoInitializeEx for the calling thread, undone when the scope ends if it succeeded (a second
// initialisation on the same thread succeeds too and must be undone as well).
class ScopedComInitialization {
public:
    explicit ScopedComInitialization(DWORD model = COINIT_APARTMENTTHREADED) noexcept
        : result_(CoInitializeEx(nullptr, model)) {}
    ~ScopedComInitialization() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ScopedComInitialization(const ScopedComInitialization&) = delete;
    ScopedComInitialization& operator=(const ScopedComInitialization&) = delete;

    [[nodiscard]] bool Succeeded() const noexcept { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};
