#include "PluginEnvironment.h"

#include <cstdio>
#include <vector>

MString makerLibrariesPathAssignment(const MString& modulePath, const char* currentPath) {
    MString assignment = MString("PATH=") + modulePath + "/../../../Bin;";
    if (currentPath != nullptr && currentPath[0] != '\0') {
        assignment += currentPath;
    }
    return assignment;
}

MString iconDirectoryFor(const MString& modulePath) {
    return modulePath + "/../../icons/";
}

MString moduleDirectory(const MString& expandedPath) {
    const int slash = expandedPath.rindex('/');
    if (slash > 0) {
        return expandedPath.substring(0, slash - 1);
    }
    return expandedPath;
}

MString stereoCameraLoadCommand(const MString& directory) {
    static const char* const kFormat =
        "if (`file -q -ex \"%s/stereoCamera.mll\"`) { loadPlugin -quiet \"%s/stereoCamera\"; } "
        "else { loadPlugin -quiet \"stereoCamera\"; }";
    const char* dir = directory.asChar();
    const int needed = std::snprintf(nullptr, 0, kFormat, dir, dir);
    std::vector<char> command(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(command.data(), command.size(), kFormat, dir, dir);
    return MString(command.data());
}
