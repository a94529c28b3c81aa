#include "ui/resource_sound.h"

#include <windows.h>

#include <mmsystem.h>
#include <process.h>

#include <cstdlib>

#include "ui/data_resource.h"
#include "win32/system_handles_win32.h"

namespace {

CRITICAL_SECTION g_soundLock;
bool g_soundLockReady = false;
int g_playingSounds = 0;

void ChangeCount(int delta) {
    EnterCriticalSection(&g_soundLock);
    g_playingSounds += delta;
    LeaveCriticalSection(&g_soundLock);
}

unsigned __stdcall PlaySoundThread(void* argument) {
    auto* content = static_cast<unsigned char*>(argument);
    PlaySoundA(reinterpret_cast<LPCSTR>(content), nullptr, SND_MEMORY | SND_NODEFAULT | SND_NOWAIT);
    std::free(content);
    ChangeCount(-1);
    return 0;
}

}  // namespace

void InitializeResourceSounds() {
    if (g_soundLockReady) return;
    InitializeCriticalSection(&g_soundLock);
    g_playingSounds = 0;
    g_soundLockReady = true;
}

void ShutdownResourceSounds() {
    if (!g_soundLockReady) return;
    DeleteCriticalSection(&g_soundLock);
    g_soundLockReady = false;
}

int PlayResourceSound(const char* name) {
    if (name == nullptr) return kDataResourceNotFound;
    unsigned char* content = nullptr;
    uint32_t size = 0;
    int result = LoadDataResource(name, &content, &size);
    if (result != kDataResourceOk) return result;
    if (!g_soundLockReady) {
        std::free(content);
        return 4;
    }
    // Counted before the thread exists: a wait that starts between the thread's start and
    // its counting would otherwise see no sound and let the program end under it.
    ChangeCount(+1);
    // The thread runs on its own; its handle is only closed.
    OwnedHandle thread(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, PlaySoundThread, content, 0, nullptr)));
    if (!thread.IsValid()) {
        ChangeCount(-1);
        std::free(content);
        return 4;
    }
    return 0;
}

int CountPlayingResourceSounds() {
    if (!g_soundLockReady) return 0;
    EnterCriticalSection(&g_soundLock);
    int count = g_playingSounds;
    LeaveCriticalSection(&g_soundLock);
    return count;
}

void WaitForResourceSounds() {
    while (CountPlayingResourceSounds() > 0) Sleep(100);
}
