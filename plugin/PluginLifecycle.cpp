#include "PluginLifecycle.h"

bool startTracking() { return true; }

void stopTracking() {}

void releaseSharedObjects() {}
