#pragma once
// The dependency graph at work: reading plugs (pulling through connections and compute),
// writing them (dirtying what depends on them) and connecting them.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <maya/MPlug.h>
#include <maya/MStatus.h>

#include "dg/EditLog.h"
#include "dg/Node.h"

namespace mayasim {

struct PlugAccess {
    static MPlug make(Node& node, PlugKey key);
    static Node* node(const MPlug& plug);
    static PlugKey key(const MPlug& plug);
};

// An element of an array read without an index is element 0, as in Maya.
PlugKey normalized(PlugKey key);

// The stored value, created with the attribute's default when missing.
Slot& storage(Node& node, PlugKey key);
// The value after evaluation: connected plugs take their source's value, dirty outputs are
// computed.
Slot& pull(Node& node, PlugKey key);
// Writes a value and dirties everything that depends on the plug.
void assign(Node& node, PlugKey key, const std::function<void(Slot&)>& write);

bool isDirty(const Node& node, PlugKey key);
void markDirty(Node& node, PlugKey key);
void markClean(Node& node, PlugKey key);
// The plugs of a compound's children (same element index).
std::vector<PlugKey> childKeys(PlugKey key);

std::optional<Endpoint> sourceOf(Node& node, PlugKey key);
std::vector<Endpoint> destinationsOf(Node& node, PlugKey key);
// Only the connections made on exactly this plug (not through a compound parent).
std::vector<Endpoint> directDestinations(Node& node, PlugKey key);

MStatus connectPlugs(Node& src, PlugKey srcKey, Node& dst, PlugKey dstKey, bool force, EditLog* log,
                     std::string* error = nullptr);
MStatus disconnectPlugs(Node& src, PlugKey srcKey, Node& dst, PlugKey dstKey, EditLog* log);
// Removes every connection to or from the node (a node being deleted).
void disconnectAll(Node& node, EditLog* log);

}  // namespace mayasim
