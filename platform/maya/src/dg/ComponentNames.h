#pragma once
// The text forms of plugs and components as Maya writes them: "node.attr[2].child",
// "pCube1.vtx[0:3]".

#include <string>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>

namespace mayasim {

class Node;

// An attribute path after the node name ("tx", "translate.translateX", "wm[0]").
bool parsePlug(Node& node, const std::string& attrPath, MPlug& plug);
// A component after a DAG node name ("vtx[3]", "e[0:5]", "f[*]", "cv[2][0:3]"), named as the
// shape below the node offers it; `path` is the shape's.
bool parseComponent(Node& node, const std::string& text, MDagPath& path, MObject& component);
// One string per run of consecutive elements (per block of runs for (u, v) components),
// named after the shape's transform.
// With `flatten`, one string per element ("pCube1.vtx[3]"), as ls -flatten lists them.
std::vector<std::string> componentStrings(const MDagPath& path, const MObject& component,
                                          bool flatten = false);

}  // namespace mayasim
