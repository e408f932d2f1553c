#include "SessionOptions.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace vxsim {
namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isReadableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool parseCount(const std::string& text, int& value) {
    errno = 0;
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || number < 1 || number > 1000000)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool addScript(const std::string& path, std::vector<SessionItem>& scripts, std::string& error) {
    SessionItem::Kind kind;
    if (endsWith(path, ".py")) {
        kind = SessionItem::Kind::kPythonFile;
    } else if (endsWith(path, ".mel")) {
        kind = SessionItem::Kind::kMelFile;
    } else {
        error = "'" + path + "' is not a .py or .mel script";
        return false;
    }
    if (!isReadableFile(path)) {
        error = "no such script '" + path + "'";
        return false;
    }
    scripts.push_back({kind, path});
    return true;
}

}  // namespace

const char* const kUsage =
    "usage: vxsim [--out DIR] [--journal FILE] [--record FILE] [--live] "
    "[--refuse-registration N] [-c MEL]... [SCRIPT.py | SCRIPT.mel]...";

bool parseSessionOptions(const std::vector<std::string>& args, SessionOptions& options,
                         std::string& error) {
    std::vector<SessionItem> mel;
    std::vector<SessionItem> scripts;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--out" || arg == "--journal" || arg == "--record" ||
                                arg == "--refuse-registration" || arg == "-c";
        if (takesValue && i + 1 >= args.size()) {
            error = "option '" + arg + "' needs a value";
            return false;
        }
        if (arg == "--out") {
            options.outDir = args[++i];
        } else if (arg == "--journal") {
            options.journalPath = args[++i];
        } else if (arg == "--record") {
            options.recordPath = args[++i];
        } else if (arg == "--refuse-registration") {
            if (!parseCount(args[++i], options.refuseRegistration)) {
                error = "--refuse-registration needs a positive number, not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "-c") {
            mel.push_back({SessionItem::Kind::kMel, args[++i]});
        } else if (arg == "--live") {
            options.live = true;
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return false;
        } else if (!addScript(arg, scripts, error)) {
            return false;
        }
    }
    options.items = std::move(mel);
    options.items.insert(options.items.end(), scripts.begin(), scripts.end());
    return true;
}

}  // namespace vxsim
