#include "geometry/Mesh.h"

#include <atomic>

#include "geometry/MeshQueries.h"
#include "geometry/MeshTopology.h"
#include "geometry/MeshTriangulation.h"

namespace mayasim::mesh {

namespace {

std::uint64_t nextRevision() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

void setError(std::string* error, std::string message) {
    if (error) {
        *error = std::move(message);
    }
}

// Checks one loop of `count` vertex ids starting at connects[offset].
bool validLoop(const std::vector<int>& connects, int offset, int count, int numVertices,
               std::string* error) {
    if (count < 3) {
        setError(error, "a polygon needs at least 3 vertices, got " + std::to_string(count));
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const int vertex = connects[static_cast<std::size_t>(offset + i)];
        if (vertex < 0 || vertex >= numVertices) {
            setError(error, "vertex id " + std::to_string(vertex) + " is out of range");
            return false;
        }
        const int next = connects[static_cast<std::size_t>(offset + (i + 1) % count)];
        if (vertex == next) {
            setError(error, "vertex " + std::to_string(vertex) + " repeats on consecutive corners");
            return false;
        }
    }
    return true;
}

}  // namespace

Mesh::Mesh() : Mesh({}, std::make_shared<const Connectivity>()) {}

Mesh::Mesh(std::vector<Vec3> points, std::shared_ptr<const Connectivity> connectivity)
    : points_(std::move(points)),
      connectivity_(std::move(connectivity)),
      revision_(nextRevision()),
      topologyRevision_(revision_) {}

std::optional<Mesh> Mesh::fromPolygons(std::vector<Vec3> points, const std::vector<int>& faceCounts,
                                       const std::vector<int>& faceConnects, std::string* error) {
    return fromLoops(std::move(points), std::vector<int>(faceCounts.size(), 1), faceCounts,
                     faceConnects, error);
}

std::optional<Mesh> Mesh::fromLoops(std::vector<Vec3> points,
                                    const std::vector<int>& faceLoopCounts,
                                    const std::vector<int>& loopCounts,
                                    const std::vector<int>& connects, std::string* error) {
    auto connectivity = std::make_shared<Connectivity>();
    connectivity->faceLoopOffsets.reserve(faceLoopCounts.size() + 1);
    long long loops = 0;
    for (int count : faceLoopCounts) {
        if (count < 1) {
            setError(error, "a face needs an outline");
            return std::nullopt;
        }
        loops += count;
        if (loops > static_cast<long long>(loopCounts.size())) {
            break;
        }
        connectivity->faceLoopOffsets.push_back(static_cast<int>(loops));
    }
    if (loops != static_cast<long long>(loopCounts.size())) {
        setError(error, "face loop counts do not match the number of loops");
        return std::nullopt;
    }
    const int numVertices = static_cast<int>(points.size());
    connectivity->loopOffsets.reserve(loopCounts.size() + 1);
    long long offset = 0;
    for (int count : loopCounts) {
        if (count < 3 || offset + count > static_cast<long long>(connects.size())) {
            setError(error,
                     count < 3 ? "a polygon needs at least 3 vertices, got " + std::to_string(count)
                               : "polygon counts exceed the vertex list");
            return std::nullopt;
        }
        if (!validLoop(connects, static_cast<int>(offset), count, numVertices, error)) {
            return std::nullopt;
        }
        offset += count;
        connectivity->loopOffsets.push_back(static_cast<int>(offset));
    }
    if (offset != static_cast<long long>(connects.size())) {
        setError(error, "polygon counts do not add up to the vertex list");
        return std::nullopt;
    }
    connectivity->faceVertices = connects;
    return Mesh(std::move(points), std::move(connectivity));
}

Vec3 Mesh::faceNormal(int face) const {
    const Span<int> corners = faceVertices(face);
    Vec3 sum;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Vec3& a = point(corners[i]);
        const Vec3& b = point(corners[(i + 1) % corners.size()]);
        sum +=
            Vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
    }
    return normalized(sum);
}

Vec3 Mesh::faceCenter(int face) const {
    const Span<int> corners = faceVertices(face);
    Vec3 sum;
    for (int vertex : corners) {
        sum += point(vertex);
    }
    return corners.empty() ? sum : sum / static_cast<double>(corners.size());
}

Bounds Mesh::bounds() const {
    Bounds box;
    for (const Vec3& p : points_) {
        if (isFinite(p)) {
            box.expand(p);
        }
    }
    return box;
}

void Mesh::pointsChanged() {
    revision_ = nextRevision();
    triangulation_.reset();
    accelerator_.reset();
}

bool Mesh::setPoint(int vertex, const Vec3& position) {
    if (vertex < 0 || vertex >= numVertices()) {
        return false;
    }
    points_[static_cast<std::size_t>(vertex)] = position;
    pointsChanged();
    return true;
}

bool Mesh::setPoints(std::vector<Vec3> points) {
    if (points.size() != points_.size()) {
        return false;
    }
    points_ = std::move(points);
    pointsChanged();
    return true;
}

bool Mesh::setPoints(Span<int> vertexIds, Span<Vec3> positions) {
    if (vertexIds.size() != positions.size()) {
        return false;
    }
    for (int vertex : vertexIds) {
        if (vertex < 0 || vertex >= numVertices()) {
            return false;
        }
    }
    for (std::size_t i = 0; i < vertexIds.size(); ++i) {
        points_[static_cast<std::size_t>(vertexIds[i])] = positions[i];
    }
    pointsChanged();
    return true;
}

bool Mesh::setEdgeOrder(std::vector<int> vertexPairs) {
    if (vertexPairs.size() % 2 != 0) {
        return false;
    }
    auto connectivity = std::make_shared<Connectivity>(*connectivity_);
    connectivity->edgeOrder = std::move(vertexPairs);
    auto topology = std::make_shared<const Topology>(connectivity, numVertices());
    if (!connectivity->edgeOrder.empty() && !topology->followsEdgeOrder()) {
        return false;
    }
    connectivity_ = std::move(connectivity);
    topology_ = std::move(topology);
    revision_ = nextRevision();
    topologyRevision_ = revision_;
    return true;
}

const Topology& Mesh::topology() const {
    if (!topology_) {
        topology_ = std::make_shared<const Topology>(connectivity_, numVertices());
    }
    return *topology_;
}

const Triangulation& Mesh::triangulation() const {
    if (!triangulation_) {
        triangulation_ = std::make_shared<const Triangulation>(*this);
    }
    return *triangulation_;
}

const RayAccelerator& Mesh::rayAccelerator() const {
    if (!accelerator_) {
        accelerator_ = std::make_shared<const RayAccelerator>(*this);
    }
    return *accelerator_;
}

}  // namespace mayasim::mesh
