#include <maya/MToolsInfo.h>

#include <mayasim/Contexts.h>

namespace {
bool dirty = false;
}

void MToolsInfo::setDirtyFlag(const MPxContext& context) {
    if (&context == mayasim::contexts::current())
        dirty = true;
}

void MToolsInfo::resetDirtyFlag() {
    dirty = false;
}
bool MToolsInfo::isDirty() {
    return dirty;
}
