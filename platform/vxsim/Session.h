// One run of vxsim: sets up the simulated machine and Maya, runs the session's MEL and
// scripts, and shuts down as Maya does on exit.
#pragma once

#include "SessionOptions.h"
#include "World.h"

#include <python/PythonHost.h>

#include <fstream>
#include <string>

namespace vxsim {

class Session {
public:
    //! `stageDir`: the install tree the build stages (plug-ins, scripts, Bin).
    Session(SessionOptions options, std::string stageDir);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    //! Runs everything and shuts down; the process exit status: 0 when every item ran,
    //! 1 when one failed (later items do not run), 2 when the host could not start.
    int run();

private:
    bool setUp();
    bool runItem(const SessionItem& item);
    bool runMel(const std::string& source, const std::string& origin, bool display);
    void shutDown();
    void unloadPlugins();
    void startRecording();
    void stopRecording();
    void fail(const std::string& message);

    SessionOptions options_;
    std::string stageDir_;
    World world_;
    mayasim::PythonHost python_;
    std::ofstream journal_;
    bool shutDown_ = false;
};

}  // namespace vxsim
