#include "World.h"

#include "render/Recording.h"

#include <mayasim/CommandEngine.h>
#include <mayasim/Views.h>

#include <vxhost/Desktop.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <algorithm>
#include <filesystem>

namespace vxsim {
namespace {

// Room Maya's own user interface takes around the view panel: menus and shelf above, the
// channel box to the right, the time slider below.
constexpr LONG kMenuHeight = 100;
constexpr LONG kSideMargin = 40;
constexpr LONG kChannelBoxWidth = 360;
constexpr LONG kTimeSliderHeight = 80;

RECT screenOf(const vexel::common::DisplayRecord& display) {
    return RECT{display.desktopX, display.desktopY, display.desktopX + display.pixelWidth,
                display.desktopY + display.pixelHeight};
}

RECT viewPanelRect(const RECT& screen) {
    RECT panel{screen.left + kSideMargin, screen.top + kMenuHeight, screen.right - kChannelBoxWidth,
               screen.bottom - kTimeSliderHeight};
    // A small display still gets a panel: the margins give way.
    if (panel.right <= panel.left || panel.bottom <= panel.top)
        panel = screen;
    return panel;
}

}  // namespace

bool World::setDisplays(const std::vector<vexel::common::DisplayRecord>& displays,
                        std::string* error) {
    if (!vxhost::setDisplays(displays, error))
        return false;
    std::vector<RECT> screens;
    for (const auto& display : displays)
        screens.push_back(screenOf(display));
    vxhost::Desktop::instance().setScreens(screens);
    layoutWindows();
    return true;
}

void World::createMainWindow(const MDagPath& camera) {
    auto& desktop = vxhost::Desktop::instance();
    RECT screen = screenOf(vxhost::displays().front());
    mainWindow_ = desktop.createWindow(nullptr, screen, nullptr, "Autodesk Maya");
    view_ = mayasim::views::create(mainWindow_, viewPanelRect(screen), camera);
    mayasim::views::setActive(view_);
    desktop.setActiveWindow(mayasim::views::window(view_));
}

void World::layoutWindows() {
    if (!mainWindow_)
        return;
    auto& desktop = vxhost::Desktop::instance();
    RECT screen = screenOf(vxhost::displays().front());
    desktop.setWindowRect(mainWindow_, screen);
    desktop.setWindowRect(mayasim::views::window(view_), viewPanelRect(screen));
}

void World::step(int millis) {
    auto& clock = vxhost::HostClock::instance();
    auto& desktop = vxhost::Desktop::instance();
    auto& engine = mayasim::CommandEngine::instance();
    int remaining = std::max(millis, 0);
    do {
        const int slice = std::min(remaining, kSliceMillis);
        if (slice > 0)
            clock.advance(static_cast<std::uint64_t>(slice) * 1000);
        desktop.deliverInput();
        engine.runIdle();
        // Every tick redraws the views; asked-for refreshes are part of that redraw.
        mayasim::views::takeRefreshRequests();
        render::redrawActiveView(clock.nowSeconds());
        ++redraws_;
        remaining -= slice;
    } while (remaining > 0);
}

std::string World::outputPath(const std::string& path) const {
    std::filesystem::path target(path);
    if (target.is_relative() && !outDir_.empty())
        target = std::filesystem::path(outDir_) / target;
    return target.string();
}

void World::addMessage(const std::string& kind, const std::string& text) {
    messages_.push_back({kind, text});
}

std::vector<UserMessage> World::takeMessages() {
    return std::exchange(messages_, {});
}

}  // namespace vxsim
