#pragma once
// The node type registry: what MFnPlugin::registerNode and unloadPlugin call.

#include <string>
#include <vector>

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

namespace mayasim {

// Registers a node type: runs `initialize`, whose addAttribute/attributeAffects calls
// describe the type. Fails (registering nothing) for a taken name or id, or when the
// initializer fails.
MStatus registerNodeType(const MString& typeName, const MTypeId& id, MCreatorFunction creator,
                         MInitializeFunction initialize, int /*MPxNode::Type*/ type,
                         const MString* classification, const MString& owner);
// Fails while nodes of the type exist in the scene.
MStatus deregisterNodeType(const MTypeId& id);
// Nodes in the scene whose type a plug-in registered; unloadPlugin refuses while any but
// manipulators are left.
int liveNodeCountOfOwner(const MString& owner, bool countManipulators = true);
bool isNodeTypeRegistered(const MString& typeName);
std::vector<std::string> nodeTypeNames();
// The node types a plug-in registered, in registration order.
std::vector<std::string> nodeTypeNamesOfOwner(const MString& owner);

}  // namespace mayasim
