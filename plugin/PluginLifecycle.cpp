#include "PluginLifecycle.h"

#include "TrackerThread.h"

bool startTracking() {
    return TrackerThread::getInstance() != nullptr;
}

void stopTracking() {
    if (TrackerThread::hasInstance()) {
        TrackerThread::destroyInstance();
    }
}

void releaseSharedObjects() {}
