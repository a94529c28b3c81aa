#include "app/startup/single_instance_win32.h"

#include "app/main_window/menu_commands.h"
#include "app/startup/command_line.h"

FirstInstanceClaim ClaimFirstInstance(const char* mutexName) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName);
    const DWORD error = GetLastError();  // before anything else can change it
    FirstInstanceClaim claim;
    claim.mutex.Reset(mutex);
    claim.otherInstanceRunning = mutex != nullptr && error == ERROR_ALREADY_EXISTS;
    if (claim.otherInstanceRunning) claim.mutex.Reset();
    return claim;
}

bool IsProgramRunning(const char* mutexName) {
    return ClaimFirstInstance(mutexName).otherInstanceRunning;
}

void HandOverToFirstInstance(const std::string& commandLine) {
    HWND firstInstance = FindWindowA(kMainWindowClassName, kMainWindowTitle);
    if (firstInstance == nullptr) return;
    if (SecondStartRequestFor(commandLine) == SecondStartRequest::OpenPictureFile) {
        COPYDATASTRUCT data = {};
        data.dwData = 0;
        data.cbData = static_cast<DWORD>(commandLine.size() + 1);  // with its NUL
        data.lpData = const_cast<char*>(commandLine.c_str());
        SendMessageA(firstInstance, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    } else {
        PostMessageA(firstInstance, WM_COMMAND, kCommandOpen, 0);
    }
}
