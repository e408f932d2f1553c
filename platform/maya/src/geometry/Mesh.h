#pragma once
// The host's polygon mesh: points and faces in flat arrays, with topology, triangulation and a
// ray accelerator derived on demand and cached until the next edit.
//
// Storage (pmp-library / OpenMesh style, no object per element):
//   points                    one double-precision point per vertex
//   face -> loops             face f owns loops [firstLoop(f), endLoop(f)); the first loop is
//                             the face's outline, the others are holes (polyCreateFacet -hl)
//   loop -> face-vertices     loop l owns face-vertices [loopOffset(l), loopOffset(l + 1))
//   face-vertex -> vertex     the vertex id at each face-vertex
// A "face-vertex" (Maya's face-relative vertex, a half-edge in pmp terms) is an index into that
// last array. The face-vertices of one face are contiguous: outline first, then its holes, so
// [loopOffset(firstLoop(f)), loopOffset(endLoop(f))) covers the whole face. Face-vertex h stands
// for the edge from its vertex to the next vertex of its loop (the loop wraps around). Maya's
// polygon vertex list (getPolygonVertices, polygonVertexCount) is the outline only; hole edges
// are real edges of the face all the same.
//
// Caches: topology(), triangulation() and rayAccelerator() are built on first use and kept until
// an edit. Connectivity and the caches are immutable and shared between copies of a mesh, so
// copying a mesh (as undo and the DG do) is cheap and copies keep the caches. Building a cache
// from a const mesh is not thread-safe; use one mesh from one thread at a time.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/MeshMath.h"

namespace mayasim::mesh {

class Topology;
class Triangulation;
class RayAccelerator;

//! Which vertices each face uses, in the layout described above. Immutable once shared.
struct Connectivity {
    std::vector<int> faceLoopOffsets{0};  // numFaces + 1 entries
    std::vector<int> loopOffsets{0};      // numLoops + 1 entries
    std::vector<int> faceVertices;        // vertex id per face-vertex
    std::vector<int> edgeOrder;           // preferred edge numbering, vertex pairs (see Topology)
};

class Mesh {
public:
    //! An empty mesh (no points, no faces).
    Mesh();

    //! Maya's MFnMesh::create arrays: faceCounts[f] vertices per face taken in order from
    //! faceConnects. Fails (nullopt, message in *error) when a face has fewer than 3 vertices,
    //! uses a vertex id out of range, repeats a vertex on consecutive corners (a zero-length
    //! edge), or the counts do not add up to faceConnects.size(). Degenerate faces that pass
    //! (zero area, repeated corners further apart) are kept; they have no triangulation.
    static std::optional<Mesh> fromPolygons(std::vector<Vec3> points,
                                            const std::vector<int>& faceCounts,
                                            const std::vector<int>& faceConnects,
                                            std::string* error = nullptr);

    //! Faces with holes: face f has faceLoopCounts[f] loops (outline first, then holes, at least
    //! one), loop l has loopCounts[l] vertices taken in order from connects. Same checks as
    //! fromPolygons, per loop.
    static std::optional<Mesh> fromLoops(std::vector<Vec3> points,
                                         const std::vector<int>& faceLoopCounts,
                                         const std::vector<int>& loopCounts,
                                         const std::vector<int>& connects,
                                         std::string* error = nullptr);

    int numVertices() const { return static_cast<int>(points_.size()); }
    int numFaces() const { return static_cast<int>(connectivity_->faceLoopOffsets.size()) - 1; }
    int numLoops() const { return static_cast<int>(connectivity_->loopOffsets.size()) - 1; }
    //! Face-vertices of all loops, holes included.
    int numFaceVertices() const { return static_cast<int>(connectivity_->faceVertices.size()); }
    bool hasHoles() const { return numLoops() != numFaces(); }

    const std::vector<Vec3>& points() const { return points_; }
    const Vec3& point(int vertex) const { return points_[static_cast<std::size_t>(vertex)]; }

    // Faces and loops. Indices are not range-checked here (hot paths); the function sets check.
    int firstLoop(int face) const { return connectivity_->faceLoopOffsets[face]; }
    int endLoop(int face) const { return connectivity_->faceLoopOffsets[face + 1]; }
    int holeCount(int face) const { return endLoop(face) - firstLoop(face) - 1; }
    int loopOffset(int loop) const { return connectivity_->loopOffsets[loop]; }
    int loopSize(int loop) const { return loopOffset(loop + 1) - loopOffset(loop); }
    Span<int> loopVertices(int loop) const {
        return {connectivity_->faceVertices.data() + loopOffset(loop),
                static_cast<std::size_t>(loopSize(loop))};
    }
    //! The face's outline: Maya's polygon vertex list.
    Span<int> faceVertices(int face) const { return loopVertices(firstLoop(face)); }
    int faceVertexCount(int face) const { return loopSize(firstLoop(face)); }
    //! First face-vertex of the face (its outline's first corner).
    int faceVertexOffset(int face) const { return loopOffset(firstLoop(face)); }
    //! Face-vertices of the outline and all holes.
    Span<int> allFaceVertices(int face) const {
        const int begin = faceVertexOffset(face);
        return {connectivity_->faceVertices.data() + begin,
                static_cast<std::size_t>(loopOffset(endLoop(face)) - begin)};
    }
    Span<int> holeVertices(int face, int hole) const {
        return loopVertices(firstLoop(face) + 1 + hole);
    }
    //! Vertex id at a face-vertex.
    int faceVertexId(int faceVertex) const { return connectivity_->faceVertices[faceVertex]; }

    const Connectivity& connectivity() const { return *connectivity_; }
    std::shared_ptr<const Connectivity> sharedConnectivity() const { return connectivity_; }

    //! Unit normal of the face's outline (Newell's method); the zero vector for a face with no
    //! area. Counter-clockwise corners seen from the side the normal points to.
    Vec3 faceNormal(int face) const;
    //! Average of the outline's points (MItMeshPolygon::center).
    Vec3 faceCenter(int face) const;
    //! Bounds of all finite points.
    Bounds bounds() const;

    // Edits. Each returns false and changes nothing on bad input; a successful edit gives the
    // mesh a new revision and drops the caches that depend on what changed.
    bool setPoint(int vertex, const Vec3& position);
    //! All points at once; the count must stay the same.
    bool setPoints(std::vector<Vec3> points);
    //! points[vertexIds[i]] = positions[i]; the spans must have equal sizes.
    bool setPoints(Span<int> vertexIds, Span<Vec3> positions);
    //! Preferred edge numbering (Maya keeps an explicit edge list; primitives and modeling
    //! operations use this to number edges as Maya does): flattened vertex pairs. Accepted only
    //! if every pair is an edge of some face and no pair repeats; an empty list restores the
    //! default numbering. See Topology for how edges are numbered. An operation that builds a
    //! new mesh keeps the old edge ids, as Maya does, by passing the old mesh's
    //! topology().edgeVertexPairs() without the edges it removed, then the edges it made.
    bool setEdgeOrder(std::vector<int> vertexPairs);

    //! Changes on every edit. Numbers come from one process-wide counter, so two meshes with the
    //! same revision have the same content (a copy keeps its source's revision).
    std::uint64_t revision() const { return revision_; }
    //! Changes only when connectivity changes (not when points move).
    std::uint64_t topologyRevision() const { return topologyRevision_; }

    // Caches, built on first use.
    const Topology& topology() const;
    const Triangulation& triangulation() const;
    //! Embree scene over the triangulation (MFnMesh's intersection accelerator).
    const RayAccelerator& rayAccelerator() const;
    bool hasRayAccelerator() const { return accelerator_ != nullptr; }
    //! MFnMesh::freeCachedIntersectionAccelerator: the next ray query builds it again.
    void freeRayAccelerator() const { accelerator_.reset(); }

private:
    Mesh(std::vector<Vec3> points, std::shared_ptr<const Connectivity> connectivity);
    void pointsChanged();

    std::vector<Vec3> points_;
    std::shared_ptr<const Connectivity> connectivity_;
    std::uint64_t revision_;
    std::uint64_t topologyRevision_;
    mutable std::shared_ptr<const Topology> topology_;
    mutable std::shared_ptr<const Triangulation> triangulation_;
    mutable std::shared_ptr<const RayAccelerator> accelerator_;
};

}  // namespace mayasim::mesh
