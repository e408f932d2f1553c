#pragma once
// The polygon mesh a mesh shape holds (the geometry kernel's Mesh), how function sets and
// iterators reach it, and the conversions between Maya's value types and the kernel's.

#include <memory>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "geometry/Mesh.h"

namespace mayasim {

class Node;

// The shape's mesh, first taken from its inMesh connection when that changed. Edits through
// the returned reference are seen by every reader (function sets, iterators, the views).
mesh::Mesh& meshOf(Node& shape);
// The same mesh shared, for readers and iterators that keep it while they work.
std::shared_ptr<mesh::Mesh> sharedMeshOf(Node& shape);
// A path's mesh shape (a transform's path reaches its shape, as function sets do) and that
// shape's mesh; false for a path to anything else.
bool meshShapeOf(const MDagPath& path, MDagPath& shapePath, std::shared_ptr<mesh::Mesh>& shared);
// The mesh of a mesh shape object; null for anything else.
mesh::Mesh* meshOf(const MObject& shape);
// Replaces the shape's mesh (MFnMesh::create, a creator's history).
void setMeshOf(Node& shape, mesh::Mesh value);

// The element ids a component names among `count` elements: every element for a null or
// complete component, otherwise its elements in order, those out of range dropped.
std::vector<int> componentElements(const MObject& component, MFn::Type type, int count);
// A single-indexed component of `type` holding `elements`.
MObject makeComponent(MFn::Type type, const std::vector<int>& elements);

// What a mesh iterator starts from: the shape's path and mesh, and the ids of the elements
// of `type` it walks (every one of `count(mesh)` for a null component). Fails with
// kInvalidParameter for a path that is not a mesh or a component of another type.
MStatus startMeshIteration(const MDagPath& path, const MObject& component, MFn::Type type,
                           int (*count)(const mesh::Mesh&), MDagPath& shapePath,
                           std::shared_ptr<mesh::Mesh>& shared, std::vector<int>& indices);
// An iterator's setIndex: moves to the element `index` of the walk; kInvalidParameter when it
// is not part of it.
MStatus moveIteration(const std::vector<int>& indices, std::size_t& position, int index,
                      int& prevIndex);
void copyToArray(const std::vector<int>& values, MIntArray& array);
template <typename Range>
void copyRangeToArray(const Range& values, MIntArray& array) {
    array.clear();
    for (int value : values)
        array.append(value);
}

// Object space -> the space asked for: the path's inclusive matrix for world space.
MMatrix spaceMatrix(const MDagPath& path, MSpace::Space space);

inline mesh::Vec3 toVec3(const MPoint& p) {
    return {p.x, p.y, p.z};
}
inline mesh::Vec3 toVec3(const MVector& v) {
    return {v.x, v.y, v.z};
}
inline MPoint toPoint(const mesh::Vec3& v) {
    return MPoint(v.x, v.y, v.z);
}
inline MVector toVector(const mesh::Vec3& v) {
    return MVector(v.x, v.y, v.z);
}

}  // namespace mayasim
