#pragma once

#include "dg/MeshGeometry.h"

namespace mayasim {

class Node;

// The geometry of a mesh shape, first taken from its inMesh connection when that changed.
MeshGeometry& meshGeometry(Node& shape);

}  // namespace mayasim
