#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "vxhost/DebugOutput.h"

namespace {

int markerInThisExecutable = 0;

std::string moduleFileOf(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCSTR>(address), &module)) {
        return "<no module>";
    }
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, length);
}

TEST(Win32Process, ModuleFileNameOfAnAddressIsItsAbsoluteFile) {
    std::string library = moduleFileOf(reinterpret_cast<const void*>(&GetTickCount));
    EXPECT_EQ(library.front(), '/');
    EXPECT_NE(library.find("libvxwin32.so"), std::string::npos) << library;

    std::string executable = moduleFileOf(&markerInThisExecutable);
    char ownPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    EXPECT_EQ(executable, ownPath);

    char tiny[5] = {'x', 'x', 'x', 'x', 'x'};
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(GetModuleFileNameA(self, tiny, sizeof(tiny)), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(tiny), executable.substr(0, 4));

    HMODULE none = nullptr;
    EXPECT_FALSE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, nullptr, &none));
    EXPECT_EQ(none, nullptr);
}

TEST(Win32Process, PutenvSetsAndRemoves) {
    EXPECT_EQ(_putenv("VX_WIN32_TEST=C:/Bin;/usr/bin"), 0);
    ASSERT_NE(std::getenv("VX_WIN32_TEST"), nullptr);
    EXPECT_STREQ(std::getenv("VX_WIN32_TEST"), "C:/Bin;/usr/bin");
    EXPECT_EQ(_putenv("VX_WIN32_TEST="), 0);
    EXPECT_EQ(std::getenv("VX_WIN32_TEST"), nullptr);
    EXPECT_EQ(_putenv("no equals sign"), -1);
}

TEST(Win32Process, DebugOutputKeepsUnfinishedLineForLater) {
    vxhost::DebugOutput& output = vxhost::DebugOutput::instance();
    output.take();
    OutputDebugStringA("first line\nsecond ");
    OutputDebugStringA("line\nunfinished");
    EXPECT_EQ(output.takeLines(), (std::vector<std::string>{"first line", "second line"}));
    OutputDebugStringA(" now\n");
    EXPECT_EQ(output.takeLines(), (std::vector<std::string>{"unfinished now"}));
    EXPECT_EQ(output.take(), "");
}

}  // namespace
