// The `vxsim` Python module: sessions drive the simulated world through it.
#pragma once

struct _object;

namespace vxsim {

class World;

//! Module init function for PyImport_AppendInittab("vxsim", ...).
_object* initVxsimModule();

//! The world the module's calls act on (null: every call raises RuntimeError).
void bindVxsimWorld(World* world);

}  // namespace vxsim
