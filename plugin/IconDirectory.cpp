#include "IconDirectory.h"

namespace {
MString& iconDirectory() {
    static MString directory;
    return directory;
}
}  // namespace

MString getIconDirectory() {
    return iconDirectory();
}

void setIconDirectory(const MString& directory) {
    iconDirectory() = directory;
}
