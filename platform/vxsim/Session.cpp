#include "Session.h"

#include "MenuCommands.h"
#include "StartupScene.h"
#include "VxsimModule.h"
#include "render/Recording.h"

#include <mayasim/CommandEngine.h>
#include <mayasim/Messages.h>
#include <mayasim/Plugins.h>
#include <mayasim/SceneFile.h>
#include <mayasim/Views.h>

#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sstream>

namespace vxsim {
namespace {

constexpr int kMayaExiting = 27;  // MSceneMessage::kMayaExiting

bool makeDirectories(const std::string& path) {
    std::string partial;
    std::stringstream parts(path);
    std::string part;
    if (!path.empty() && path[0] == '/')
        partial = "/";
    while (std::getline(parts, part, '/')) {
        if (part.empty())
            continue;
        partial += part + "/";
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

}  // namespace

Session::Session(SessionOptions options, std::string stageDir)
    : options_(std::move(options)), stageDir_(std::move(stageDir)), world_(options_.outDir) {}

Session::~Session() {
    shutDown();
}

int Session::run() {
    if (!setUp()) {
        shutDown();
        return 2;
    }
    bool ok = true;
    for (const SessionItem& item : options_.items) {
        if (!(ok = runItem(item)))
            break;
    }
    shutDown();
    return ok ? 0 : 1;
}

bool Session::setUp() {
    vxhost::HostClock::instance().setLive(options_.live);
    if (!makeDirectories(options_.outDir)) {
        fail("cannot create the output folder '" + options_.outDir + "': " + std::strerror(errno));
        return false;
    }
    if (!options_.journalPath.empty()) {
        journal_.open(options_.journalPath, std::ios::trunc);
        if (!journal_) {
            fail("cannot write the journal '" + options_.journalPath + "'");
            return false;
        }
    }

    std::string error;
    if (!world_.setDisplays(vxhost::displays(), &error)) {
        fail("the simulated displays are unusable: " + error);
        return false;
    }
    world_.createMainWindow(createDefaultCamera());
    // A new scene has the startup camera again, and every view looks through it.
    mayasim::sceneFile::setNewSceneDefaults([] {
        const MDagPath persp = createDefaultCamera();
        for (unsigned int view = 0; view < mayasim::views::count(); ++view)
            mayasim::views::setCamera(static_cast<int>(view), persp);
    });

    auto& engine = mayasim::CommandEngine::instance();
    engine.setEchoSink([this](const std::string& line) {
        if (journal_.is_open())
            journal_ << line << '\n' << std::flush;
    });
    engine.setMessageSink([this](const std::string& kind, const std::string& text) {
        if (kind == "error" || kind == "warning") {
            std::cerr << (kind == "error" ? "// Error: " : "// Warning: ") << text << " //"
                      << std::endl;
            world_.addMessage(kind, text);
        } else {
            std::cout << text << std::endl;
        }
    });

    registerMenuCommands();
    auto& plugins = mayasim::Plugins::instance();
    plugins.setSearchPath({stageDir_ + "/maya/plug-ins"});
    plugins.setRefusedRegistration(options_.refuseRegistration);

    startRecording();
    bindVxsimWorld(&world_);
    mayasim::PythonHost::Options python;
    python.modulePaths.push_back(stageDir_ + "/maya/scripts");
    python.builtinModules.emplace_back("vxsim", &initVxsimModule);
    if (!python_.start(python)) {
        fail("cannot start the embedded Python interpreter");
        return false;
    }
    return true;
}

bool Session::runItem(const SessionItem& item) {
    switch (item.kind) {
        case SessionItem::Kind::kMel:
            // Display on: -c is what a user would type into the script editor.
            return runMel(item.text, "-c \"" + item.text + "\"", true);
        case SessionItem::Kind::kMelFile: {
            std::string source;
            if (!readText(item.text, source)) {
                fail(item.text + ": cannot read the script");
                return false;
            }
            // A sourced file is not echoed, as in Maya.
            return runMel(source, item.text, false);
        }
        case SessionItem::Kind::kPythonFile: {
            std::string error;
            if (python_.runFile(item.text, &error))
                return true;
            fail(error);
            return false;
        }
    }
    return false;
}

bool Session::runMel(const std::string& source, const std::string& origin, bool display) {
    mayasim::ErrorCapture errors;
    if (mayasim::CommandEngine::instance().executeMel(MString(source.c_str()), nullptr, display,
                                                      true)) {
        return true;
    }
    fail(origin + ": " + (errors.last().empty() ? "MEL failed" : errors.last()));
    return false;
}

void Session::shutDown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    stopRecording();
    // As Maya exits: the exit callbacks first, then the scene is torn down (so no plug-in
    // node is left when its type goes), then plug-ins still loaded are unloaded (their
    // deletion procedures may need Python), then the interpreter goes.
    mayasim::messages::fireSceneMessage(kMayaExiting);
    mayasim::sceneFile::setNewSceneDefaults(nullptr);
    mayasim::sceneFile::closeScene();
    unloadPlugins();
    python_.stop();
    bindVxsimWorld(nullptr);
    mayasim::views::clear();
    deregisterMenuCommands();
    auto& engine = mayasim::CommandEngine::instance();
    engine.setEchoSink(nullptr);
    engine.setMessageSink(nullptr);
    journal_.close();
}

// --record: a recording that cannot start is reported and the session runs without it.
void Session::startRecording() {
    if (options_.recordPath.empty())
        return;
    std::string error;
    if (!render::startRecording(world_.outputPath(options_.recordPath), render::Eye::kCenter,
                                vxhost::HostClock::instance().nowSeconds(), &error)) {
        fail("--record: " + error);
    }
}

// A recording still running (from --record or vxsim.record) ends with the session.
void Session::stopRecording() {
    std::string error;
    if (!render::stopRecording(vxhost::HostClock::instance().nowSeconds(), nullptr, &error))
        fail(error);
}

void Session::unloadPlugins() {
    // Plug-ins from files first, newest first: they may use Maya's own built-in ones (the
    // stereo camera plug-in) until their uninitializePlugin returns, even when they loaded
    // those themselves.
    auto& plugins = mayasim::Plugins::instance();
    const std::vector<std::string> names = plugins.loadedNames();
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        const mayasim::PluginRecord* record = plugins.find(*name);
        if (record && !record->builtIn)
            plugins.unload(*name, true);
    }
    plugins.unloadAll();
}

void Session::fail(const std::string& message) {
    std::cerr << "vxsim: " << message << std::endl;
}

}  // namespace vxsim
