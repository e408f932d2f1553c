#pragma once
// The node types the host itself provides: transform, camera, mesh, polyCube, time and the
// world, and the attributes every dependency or DAG node has.

#include <memory>
#include <vector>

#include <maya/MMatrix.h>

#include "dg/Attribute.h"

namespace mayasim {

class Node;

void addBuiltinTypes();
// Attributes of every dependency node: message, isHistoricallyInteresting, caching, nodeState.
const std::vector<std::shared_ptr<Attribute>>& dependNodeAttributes();
// Those plus the DAG node's visibility, intermediateObject and matrices.
const std::vector<std::shared_ptr<Attribute>>& dagNodeAttributes();

class NodeClass;
// Gives a DAG type the computed matrices (matrix, worldMatrix...) every DAG node has.
void addDagBehaviour(NodeClass& type);

// The node's matrix relative to its parent (identity for non-transforms).
MMatrix localMatrix(Node& node);
// The product of the local matrices from the node up to the world.
MMatrix worldMatrix(Node& node);

}  // namespace mayasim
