// vxsim: the headless host. Plays Maya's part for the plug-in on a simulated machine.
#include "Session.h"
#include "SessionOptions.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The install tree is staged beside the host: build/bin/vxsim -> build/stage.
std::string stageDirOfExecutable() {
    char path[PATH_MAX] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string executable = length > 0 ? std::string(path, length) : std::string();
    std::string stage = executable.substr(0, executable.rfind('/')) + "/../stage";
    char resolved[PATH_MAX] = {};
    return realpath(stage.c_str(), resolved) ? std::string(resolved) : stage;
}

}  // namespace

int main(int argc, char** argv) {
    // Line-buffered even into a pipe, so the host's output and the scripts' interleave in order.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    vxsim::SessionOptions options;
    std::string error;
    if (!vxsim::parseSessionOptions(std::vector<std::string>(argv + 1, argv + argc), options,
                                    error)) {
        std::cerr << "vxsim: " << error << "\n" << vxsim::kUsage << std::endl;
        return 2;
    }
    if (options.help) {
        std::cout << vxsim::kUsage << std::endl;
        return 0;
    }
    if (options.items.empty()) {
        options.items.push_back({vxsim::SessionItem::Kind::kPythonFile, VX_DEFAULT_SESSION});
    }
    vxsim::Session session(std::move(options), stageDirOfExecutable());
    return session.run();
}
