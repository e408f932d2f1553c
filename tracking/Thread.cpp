#include "Thread.h"

Thread::~Thread() {
    if (threadHandle_ != nullptr) {
        CloseHandle(threadHandle_);
    }
}

void Thread::stop() {
    if (threadHandle_ != nullptr) {
        WaitForSingleObject(threadHandle_, INFINITE);
    }
}

bool Thread::start() {
    threadHandle_ = CreateThread(nullptr, 0, &Thread::threadEntry, this, 0, &threadId_);
    return threadHandle_ != nullptr;
}

DWORD WINAPI Thread::threadEntry(LPVOID self) {
    static_cast<Thread*>(self)->run();
    return 0;
}
