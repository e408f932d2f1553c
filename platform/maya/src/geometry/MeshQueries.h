#pragma once
// Ray and closest-point queries on a mesh's triangulation, with MFnMesh's semantics.
//
// Queries run on an Embree scene (the mesh's "intersection accelerator") that the mesh builds on
// the first query, keeps while it is unchanged, rebuilds after an edit and drops on
// Mesh::freeRayAccelerator(). Embree works in single precision; each hit is then recomputed in
// double precision on its triangle. Faces without a valid triangulation are never hit. Inputs
// that are not finite (NaN, infinity), a zero direction or a negative maximum give no hit.
//
// Results name the face, the triangle within the face (MItMeshPolygon::getTriangle's index) and
// barycentric coordinates as MFnMesh reports them: with p0, p1, p2 the triangle's points,
//   point = bary1 * p0 + bary2 * p1 + (1 - bary1 - bary2) * p2.
// A hit's `param` is t in source + t * direction (direction need not be unit length), negative
// for hits behind the source when both directions are tested.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "geometry/MeshMath.h"

struct RTCSceneTy;

namespace mayasim::mesh {

class Mesh;

struct RayQuery {
    Vec3 source;
    Vec3 direction;
    //! Hits further than this (in |param|) are ignored (MFnMesh's maxParam).
    double maxParam = std::numeric_limits<double>::infinity();
    //! Also consider hits behind the source (testBothDirections).
    bool testBothDirections = false;
    //! Restrict the query to these faces (MFnMesh's faceIds); empty means all faces.
    Span<int> faceIds;
    //! Restrict it to these triangles within each face (triIds); empty means all.
    Span<int> triangleIds;
};

struct RayHit {
    Vec3 point;
    double param = 0.0;
    int face = -1;
    int triangle = -1;  // within the face
    double bary1 = 0.0;
    double bary2 = 0.0;
};

struct SurfacePoint {
    Vec3 point;
    double distance = 0.0;
    int face = -1;
    int triangle = -1;  // within the face
    double bary1 = 0.0;
    double bary2 = 0.0;
};

//! MFnMesh::closestIntersection: the hit nearest the source, within maxParam.
std::optional<RayHit> closestIntersection(const Mesh& mesh, const RayQuery& query);
//! MFnMesh::anyIntersection: some hit within maxParam, not necessarily the nearest.
std::optional<RayHit> anyIntersection(const Mesh& mesh, const RayQuery& query);
//! MFnMesh::allIntersections: every hit within maxParam, nearest first when `sortHits`
//! (ordered by |param|), otherwise in no particular order. A ray through an edge or vertex
//! shared by several triangles counts one hit there.
std::vector<RayHit> allIntersections(const Mesh& mesh, const RayQuery& query, bool sortHits = true);
//! MFnMesh::intersect: every hit in front of the source, nearest first.
std::vector<RayHit> intersect(const Mesh& mesh, const Vec3& source, const Vec3& direction);
//! MFnMesh::getClosestPoint: the nearest point of the mesh's surface, if one lies within
//! maxDistance. Ties go to the lowest triangle.
std::optional<SurfacePoint> closestPoint(
    const Mesh& mesh, const Vec3& point,
    double maxDistance = std::numeric_limits<double>::infinity());

//! The Embree scene over a mesh's triangles. Built by Mesh::rayAccelerator(); immutable, so
//! queries from several threads may share it.
class RayAccelerator {
public:
    explicit RayAccelerator(const Mesh& mesh);
    ~RayAccelerator();
    RayAccelerator(const RayAccelerator&) = delete;
    RayAccelerator& operator=(const RayAccelerator&) = delete;

    RTCSceneTy* scene() const { return scene_; }
    int numTriangles() const { return triangles_; }
    //! Centre of the triangles' bounds.
    const Vec3& center() const { return center_; }
    double buildSeconds() const { return buildSeconds_; }
    //! What MFnMesh::cachedIntersectionAcceleratorInfo reports about it.
    std::string info() const;

private:
    RTCSceneTy* scene_ = nullptr;
    int triangles_ = 0;
    Vec3 center_;
    double buildSeconds_ = 0.0;
};

}  // namespace mayasim::mesh
