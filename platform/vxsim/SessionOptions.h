// vxsim's command line.
#pragma once

#include <string>
#include <vector>

namespace vxsim {

struct SessionItem {
    enum class Kind { kMel, kPythonFile, kMelFile };
    Kind kind;
    std::string text;  //!< the MEL statement, or the script's path
};

struct SessionOptions {
    std::string outDir = ".";
    std::string journalPath;  //!< empty: no journal
    std::string recordPath;   //!< empty: no recording; relative paths go under outDir
    bool live = false;
    int refuseRegistration = 0;  //!< 0: refuse none
    bool help = false;
    //! In the order they run: every -c first, then the scripts as given.
    std::vector<SessionItem> items;
};

extern const char* const kUsage;

//! Parses argv (without the program name). On bad input returns false with a one-line
//! `error`; a script that does not exist is bad input too.
bool parseSessionOptions(const std::vector<std::string>& args, SessionOptions& options,
                         std::string& error);

}  // namespace vxsim
