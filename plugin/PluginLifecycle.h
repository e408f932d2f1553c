// The parts of loading and unloading that belong to other subsystems: the
// tracker thread and the plug-in's shared objects.
#pragma once

//! Obtains the tracker thread, starting it on first use. False when none could
//! be created.
bool startTracking();

//! Stops and destroys the tracker thread if there is one; harmless when there is none.
void stopTracking();

//! Releases the process-wide reference-counted objects before their node
//! types are deregistered.
void releaseSharedObjects();
