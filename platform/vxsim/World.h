// The simulated machine around Maya: clock, displays and desktop, tracker, and what the
// session has seen (user messages, redraws). The `vxsim` Python module drives it.
#pragma once

#include <maya/MDagPath.h>

#include <vexel/common/DisplayInfo.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vxsim {

struct UserMessage {
    std::string kind;  //!< "error" or "warning"
    std::string text;
};

class World {
public:
    //! The longest clock advance between two tracker polls of the plug-in (17 ms).
    static constexpr int kSliceMillis = 17;

    explicit World(std::string outDir) : outDir_(std::move(outDir)) {}
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    //! One desktop screen per simulated display; Maya's windows follow the first display.
    bool setDisplays(const std::vector<vexel::common::DisplayRecord>& displays, std::string* error);
    //! Maya's main window on the first display and a 3D view panel looking through `camera`
    //! filling most of it, made the active view and window.
    void createMainWindow(const MDagPath& camera);
    HWND mainWindow() const { return mainWindow_; }

    //! Moves time on by `millis` in slices of at most kSliceMillis; after each slice the
    //! queued desktop input is delivered, idle runs and the active view redraws (the
    //! current tool's manipulators draw, and a recording takes a frame).
    void step(int millis);
    std::uint64_t redraws() const { return redraws_; }

    void addMessage(const std::string& kind, const std::string& text);
    //! The user messages since the last take.
    std::vector<UserMessage> takeMessages();

    const std::string& outDir() const { return outDir_; }
    //! Where an output named `path` goes: relative paths under outDir.
    std::string outputPath(const std::string& path) const;

private:
    void layoutWindows();

    std::string outDir_;
    HWND mainWindow_ = nullptr;
    int view_ = -1;
    std::uint64_t redraws_ = 0;
    std::vector<UserMessage> messages_;
};

}  // namespace vxsim
