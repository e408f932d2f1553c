// kernel32 and C runtime functions of the Win32 subset: threads, waits, time,
// modules, the environment and the debugger output.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>
#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "HandleTable.h"
#include "KernelObject.h"
#include "vxhost/DebugOutput.h"
#include "vxhost/HostClock.h"

using vxhost::HostClock;
using vxwin32::EventObject;
using vxwin32::HandleTable;
using vxwin32::KernelObject;
using vxwin32::MutexObject;
using vxwin32::ThreadObject;

namespace {

thread_local DWORD tLastError = ERROR_SUCCESS;
thread_local DWORD tThreadId = 0;

DWORD newThreadId() {
    static std::atomic<DWORD> next{0x1000};
    return next.fetch_add(4);  // Win32 thread ids are multiples of 4, never 0
}

std::uint64_t millisToMicros(DWORD millis) {
    return millis == INFINITE ? HostClock::kNoDeadline : std::uint64_t{millis} * 1000;
}

template <class Object>
std::shared_ptr<Object> findObject(HANDLE handle, KernelObject::Kind kind) {
    std::shared_ptr<KernelObject> object = HandleTable::instance().find(handle);
    if (object == nullptr || object->kind() != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return std::static_pointer_cast<Object>(object);
}

HANDLE openOrCreate(LPCSTR name, KernelObject::Kind kind,
                    const std::function<std::shared_ptr<KernelObject>(std::string)>& make) {
    std::string objectName = name != nullptr ? name : "";
    bool existed = false;
    HANDLE handle = HandleTable::instance().openOrAdd(
        objectName, kind, [&] { return make(objectName); }, existed);
    if (handle == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    } else {
        SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    }
    return handle;
}

bool setEvent(HANDLE handle, bool signalled) {
    auto event = findObject<EventObject>(handle, KernelObject::Kind::kEvent);
    if (event == nullptr) {
        return false;
    }
    HostClock::instance().update([&] { event->set(signalled); });
    return true;
}

//! Copies `text` as GetModuleFileNameA does: truncated and terminated when the
//! buffer is too small, returning the buffer size and ERROR_INSUFFICIENT_BUFFER.
DWORD copyPath(const std::string& text, LPSTR buffer, DWORD size) {
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (text.size() < size) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(text.size());
    }
    std::memcpy(buffer, text.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

std::string executablePath() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::string absolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') {
        return path;
    }
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof(cwd)) != nullptr ? std::string(cwd) + "/" + path : path;
}

//! A module handle is the address its image is loaded at, as on Windows.
struct ModuleSearch {
    std::string wanted;  // file name, with or without the directory
    void* base = nullptr;
};

void* imageBase(const dl_phdr_info* info) {
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        if (info->dlpi_phdr[i].p_type == PT_LOAD) {
            return reinterpret_cast<void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
        }
    }
    return nullptr;
}

int matchModule(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<ModuleSearch*>(data);
    std::string path = info->dlpi_name != nullptr ? info->dlpi_name : "";
    std::string file = path.substr(path.find_last_of('/') + 1);
    bool isExecutable = path.empty();
    if ((search->wanted.empty() && isExecutable) ||
        (!search->wanted.empty() && (search->wanted == path || search->wanted == file))) {
        search->base = imageBase(info);
        return 1;
    }
    return 0;
}

HMODULE findModule(const std::string& name) {
    ModuleSearch search{name};
    dl_iterate_phdr(&matchModule, &search);
    return static_cast<HMODULE>(search.base);
}

}  // namespace

extern "C" {

DWORD WINAPI GetLastError(void) {
    return tLastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
    tLastError = dwErrCode;
}

DWORD WINAPI GetCurrentThreadId(void) {
    if (tThreadId == 0) {
        tThreadId = newThreadId();
    }
    return tThreadId;
}

// The new thread is a managed thread of the host clock; CreateThread returns
// only once it is registered, so the host's next advance() waits for it.
HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress,
                           LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) {
    if (lpStartAddress == nullptr || (dwCreationFlags & CREATE_SUSPENDED) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<ThreadObject>(newThreadId());
    HANDLE handle = HandleTable::instance().add(thread);
    std::promise<void> registered;
    std::future<void> isRegistered = registered.get_future();
    std::thread([thread, lpStartAddress, lpParameter,
                 registered = std::move(registered)]() mutable {
        HostClock& clock = HostClock::instance();
        tThreadId = thread->id();
        clock.registerManagedThread();
        registered.set_value();
        DWORD exitCode = lpStartAddress(lpParameter);
        clock.update([&] { thread->finish(exitCode); });
        clock.unregisterManagedThread();
    }).detach();
    isRegistered.wait();
    if (lpThreadId != nullptr) {
        *lpThreadId = thread->id();
    }
    SetLastError(ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    auto thread = findObject<ThreadObject>(hThread, KernelObject::Kind::kThread);
    if (thread == nullptr || lpExitCode == nullptr) {
        return FALSE;
    }
    HostClock::instance().update([&] { *lpExitCode = thread->exitCode(); });
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    std::shared_ptr<KernelObject> object = HandleTable::instance().find(hHandle);
    if (object == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    HostClock& clock = HostClock::instance();
    DWORD self = GetCurrentThreadId();
    bool signalled = clock.waitUntil([&] { return object->acquire(self); },
                                     clock.deadlineAfter(millisToMicros(dwMilliseconds)));
    return signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    if (!HandleTable::instance().close(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR lpName) {
    DWORD self = GetCurrentThreadId();
    return openOrCreate(lpName, KernelObject::Kind::kMutex, [&](std::string name) {
        auto mutex = std::make_shared<MutexObject>(std::move(name));
        if (bInitialOwner) {
            mutex->acquire(self);  // not shared with anyone yet
        }
        return mutex;
    });
}

BOOL WINAPI ReleaseMutex(HANDLE hMutex) {
    auto mutex = findObject<MutexObject>(hMutex, KernelObject::Kind::kMutex);
    if (mutex == nullptr) {
        return FALSE;
    }
    DWORD self = GetCurrentThreadId();
    bool released = false;
    HostClock::instance().update([&] { released = mutex->release(self); });
    if (!released) {
        SetLastError(ERROR_NOT_OWNER);
    }
    return released ? TRUE : FALSE;
}

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState,
                           LPCSTR lpName) {
    return openOrCreate(lpName, KernelObject::Kind::kEvent, [&](std::string name) {
        return std::make_shared<EventObject>(std::move(name), bManualReset != FALSE,
                                             bInitialState != FALSE);
    });
}

BOOL WINAPI SetEvent(HANDLE hEvent) {
    return setEvent(hEvent, true) ? TRUE : FALSE;
}

BOOL WINAPI ResetEvent(HANDLE hEvent) {
    return setEvent(hEvent, false) ? TRUE : FALSE;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    HostClock& clock = HostClock::instance();
    clock.waitUntil([] { return false; }, clock.deadlineAfter(millisToMicros(dwMilliseconds)));
}

DWORD WINAPI GetTickCount(void) {
    return HostClock::instance().tickCountMillis();
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule == nullptr || hModule == findModule({})) {
        return copyPath(executablePath(), lpFilename, nSize);
    }
    Dl_info info{};
    if (dladdr(hModule, &info) == 0 || info.dli_fbase != hModule || info.dli_fname == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    return copyPath(absolutePath(info.dli_fname), lpFilename, nSize);
}

// Reference counts are left alone: the subset has no FreeLibrary to balance them.
BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule) {
    if (phModule == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *phModule = nullptr;
    if ((dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) != 0) {
        Dl_info info{};
        if (dladdr(lpModuleName, &info) != 0) {
            *phModule = static_cast<HMODULE>(info.dli_fbase);
        }
    } else {
        *phModule = findModule(lpModuleName != nullptr ? lpModuleName : "");
    }
    if (*phModule == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, lpModuleName, &module);
    return module;
}

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    vxhost::DebugOutput::instance().write(lpOutputString);
}

// "NAME=value" sets, "NAME=" removes, as the C runtime's _putenv.
int _putenv(const char* envstring) {
    const char* equals = envstring != nullptr ? std::strchr(envstring, '=') : nullptr;
    if (equals == nullptr || equals == envstring) {
        return -1;
    }
    std::string name(envstring, equals);
    int result = equals[1] == '\0' ? unsetenv(name.c_str()) : setenv(name.c_str(), equals + 1, 1);
    return result == 0 ? 0 : -1;
}

}  // extern "C"
