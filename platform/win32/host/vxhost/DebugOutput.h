// Where OutputDebugStringA writes: the debugger output of the simulated machine.
//
// Host-private: vxsim and tests read it; the plug-in only writes through
// OutputDebugStringA.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace vxhost {

//! Collects debug text from any thread until the host takes it.
class DebugOutput {
public:
    static DebugOutput& instance();

    DebugOutput(const DebugOutput&) = delete;
    DebugOutput& operator=(const DebugOutput&) = delete;

    void write(const char* text);

    //! Everything written since the last take, as written.
    std::string take();
    //! The complete lines written since the last take, without their line
    //! ends; a trailing unfinished line waits for its end.
    std::vector<std::string> takeLines();

    //! Also copies every write to the standard error stream (for watching a
    //! session live).
    void setEcho(bool echo);

private:
    DebugOutput() = default;

    std::mutex mutex_;
    std::string pending_;
    bool echo_ = false;
};

}  // namespace vxhost
