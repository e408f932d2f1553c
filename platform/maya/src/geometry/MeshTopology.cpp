#include "geometry/MeshTopology.h"

#include <algorithm>
#include <array>

namespace mayasim::mesh {

namespace {

// Turns per-index counts stored at offsets[i + 1] into CSR offsets.
void accumulate(std::vector<int>& offsets) {
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        offsets[i] += offsets[i - 1];
    }
}

// Working arrays each thread keeps between builds, resized (not cleared) on request: rebuilding
// a large mesh's topology after every edit would otherwise fault in tens of megabytes of fresh
// pages each time. Functions using them run one after the other, never nested.
std::vector<int>& scratch(std::size_t slot, std::size_t size) {
    thread_local std::array<std::vector<int>, 6> arrays;
    arrays[slot].resize(size);
    return arrays[slot];
}

}  // namespace

Topology::Topology(std::shared_ptr<const Connectivity> connectivity, int numVertices)
    : connectivity_(std::move(connectivity)) {
    vertexFaceOffsets_.assign(static_cast<std::size_t>(numVertices) + 1, 0);
    buildLoopIndex();
    followsEdgeOrder_ = !connectivity_->edgeOrder.empty() && numberEdges(true);
    if (!followsEdgeOrder_) {
        numberEdges(false);
    }
    buildEdgeSides();
    buildVertexLists(numVertices);
}

void Topology::buildLoopIndex() {
    const int numLoops = static_cast<int>(connectivity_->loopOffsets.size()) - 1;
    faceVertexLoop_.resize(connectivity_->faceVertices.size());
    for (int loop = 0; loop < numLoops; ++loop) {
        std::fill(faceVertexLoop_.begin() + loopOffset(loop),
                  faceVertexLoop_.begin() + loopOffset(loop + 1), loop);
    }
    loopFace_.resize(static_cast<std::size_t>(numLoops));
    for (int face = 0; face < numFaces(); ++face) {
        std::fill(loopFace_.begin() + firstLoop(face), loopFace_.begin() + endLoop(face), face);
    }
}

// Groups the preferred edges and the face-vertices by vertex pair with a counting sort on the
// lower vertex id, so each group's first member is its lowest entry (preferred edges come before
// face-vertices); edges are then numbered in entry order. Linear in the number of face-vertices.
bool Topology::numberEdges(bool useEdgeOrder) {
    const std::vector<int>& corners = connectivity_->faceVertices;
    const std::vector<int>& order = connectivity_->edgeOrder;
    const int numVertices = static_cast<int>(vertexFaceOffsets_.size()) - 1;
    const int preferred = useEdgeOrder ? static_cast<int>(order.size() / 2) : 0;
    for (int i = 0; i < preferred; ++i) {
        const int a = order[2 * i];
        const int b = order[2 * i + 1];
        if (a < 0 || b < 0 || a >= numVertices || b >= numVertices || a == b) {
            return false;
        }
    }
    const int entries = preferred + static_cast<int>(corners.size());
    auto ends = [&](int entry) -> std::pair<int, int> {
        if (entry < preferred) {
            return {order[2 * entry], order[2 * entry + 1]};
        }
        const int corner = entry - preferred;
        return {corners[corner], corners[nextFaceVertex(corner)]};
    };

    std::vector<int>& bucketOffsets = scratch(0, static_cast<std::size_t>(numVertices) + 1);
    std::fill(bucketOffsets.begin(), bucketOffsets.end(), 0);
    for (int entry = 0; entry < entries; ++entry) {
        const auto [a, b] = ends(entry);
        ++bucketOffsets[std::min(a, b) + 1];
    }
    accumulate(bucketOffsets);
    std::vector<int>& sorted = scratch(1, static_cast<std::size_t>(entries));
    std::vector<int>& cursor = scratch(2, static_cast<std::size_t>(numVertices));
    std::copy(bucketOffsets.begin(), bucketOffsets.end() - 1, cursor.begin());
    for (int entry = 0; entry < entries; ++entry) {
        const auto [a, b] = ends(entry);
        sorted[cursor[std::min(a, b)]++] = entry;
    }
    std::vector<int>& representative = scratch(3, static_cast<std::size_t>(entries));
    std::vector<int>& seenInBucket = scratch(4, static_cast<std::size_t>(numVertices));
    std::vector<int>& firstEntry = scratch(5, static_cast<std::size_t>(numVertices));
    std::fill(seenInBucket.begin(), seenInBucket.end(), -1);
    for (int low = 0; low < numVertices; ++low) {
        for (int i = bucketOffsets[low]; i < bucketOffsets[low + 1]; ++i) {
            const int entry = sorted[i];
            const auto [a, b] = ends(entry);
            const int high = std::max(a, b);
            if (seenInBucket[high] != low) {
                seenInBucket[high] = low;
                firstEntry[high] = entry;
            }
            representative[entry] = firstEntry[high];
        }
    }
    if (preferred > 0) {
        std::vector<char> used(static_cast<std::size_t>(preferred), 0);
        for (int entry = 0; entry < entries; ++entry) {
            const int first = representative[entry];
            if (entry < preferred && first != entry) {
                return false;  // the same pair twice
            }
            if (entry >= preferred && first < preferred) {
                used[first] = 1;
            }
        }
        if (std::find(used.begin(), used.end(), 0) != used.end()) {
            return false;  // a pair that no face uses
        }
    }

    // `sorted` is no longer needed: reuse it as the edge id of each group's first entry.
    std::vector<int>& edgeOfEntry = sorted;
    edgeVertices_.clear();
    edgeVertices_.reserve(corners.size() + order.size());
    for (int entry = 0; entry < preferred; ++entry) {
        edgeOfEntry[entry] = entry;
        edgeVertices_.push_back(order[2 * entry]);
        edgeVertices_.push_back(order[2 * entry + 1]);
    }
    faceVertexEdge_.resize(corners.size());
    for (int entry = preferred; entry < entries; ++entry) {
        const int first = representative[entry];
        if (first == entry) {
            const auto [a, b] = ends(entry);
            edgeOfEntry[entry] = numEdges();
            edgeVertices_.push_back(a);
            edgeVertices_.push_back(b);
        }
        faceVertexEdge_[entry - preferred] = edgeOfEntry[first];
    }
    return true;
}

void Topology::buildEdgeSides() {
    const int edges = numEdges();
    const int corners = numFaceVertices();
    edgeSideOffsets_.assign(static_cast<std::size_t>(edges) + 1, 0);
    for (int corner = 0; corner < corners; ++corner) {
        ++edgeSideOffsets_[faceVertexEdge_[corner] + 1];
    }
    accumulate(edgeSideOffsets_);
    edgeSides_.resize(static_cast<std::size_t>(corners));
    std::vector<int>& cursor = scratch(0, static_cast<std::size_t>(edges));
    std::copy(edgeSideOffsets_.begin(), edgeSideOffsets_.end() - 1, cursor.begin());
    for (int corner = 0; corner < corners; ++corner) {
        edgeSides_[cursor[faceVertexEdge_[corner]]++] = corner;
    }

    // The face of each side. A face's corners are contiguous, so a face using an edge twice
    // lists it on consecutive sides; only then do the edge-face lists need their own offsets.
    edgeFaces_.resize(static_cast<std::size_t>(corners));
    bool faceTwiceOnAnEdge = false;
    for (int side = 0; side < corners; ++side) {
        edgeFaces_[side] = faceVertexFace(edgeSides_[side]);
        faceTwiceOnAnEdge =
            faceTwiceOnAnEdge ||
            (side > 0 && edgeFaces_[side] == edgeFaces_[side - 1] &&
             faceVertexEdge_[edgeSides_[side]] == faceVertexEdge_[edgeSides_[side - 1]]);
    }
    edgeFaceOffsets_.clear();
    if (faceTwiceOnAnEdge) {
        edgeFaceOffsets_.resize(static_cast<std::size_t>(edges) + 1);
        std::size_t kept = 0;
        for (int edge = 0; edge < edges; ++edge) {
            edgeFaceOffsets_[edge] = static_cast<int>(kept);
            for (int side = edgeSideOffsets_[edge]; side < edgeSideOffsets_[edge + 1]; ++side) {
                if (kept == static_cast<std::size_t>(edgeFaceOffsets_[edge]) ||
                    edgeFaces_[kept - 1] != edgeFaces_[side]) {
                    edgeFaces_[kept++] = edgeFaces_[side];
                }
            }
        }
        edgeFaceOffsets_[edges] = static_cast<int>(kept);
        edgeFaces_.resize(kept);
    }
    borderEdgeCount_ = 0;
    nonManifoldEdgeCount_ = 0;
    for (int edge = 0; edge < edges; ++edge) {
        borderEdgeCount_ += isBorderEdge(edge) ? 1 : 0;
        nonManifoldEdgeCount_ += isManifoldEdge(edge) ? 0 : 1;
    }
}

void Topology::buildVertexLists(int numVertices) {
    // Vertex -> faces, each face once even when it uses the vertex twice.
    std::vector<int>& lastFace = scratch(0, static_cast<std::size_t>(numVertices));
    auto forEachFaceOfVertex = [&](auto&& visit) {
        std::fill(lastFace.begin(), lastFace.end(), -1);
        for (int face = 0; face < numFaces(); ++face) {
            const int end = loopOffset(endLoop(face));
            for (int corner = faceVertexOffset(face); corner < end; ++corner) {
                const int vertex = connectivity_->faceVertices[corner];
                if (lastFace[vertex] != face) {
                    lastFace[vertex] = face;
                    visit(vertex, face);
                }
            }
        }
    };
    forEachFaceOfVertex([&](int vertex, int) { ++vertexFaceOffsets_[vertex + 1]; });
    accumulate(vertexFaceOffsets_);
    vertexFaces_.resize(static_cast<std::size_t>(vertexFaceOffsets_.back()));
    std::vector<int>& cursor = scratch(1, static_cast<std::size_t>(numVertices));
    std::copy(vertexFaceOffsets_.begin(), vertexFaceOffsets_.end() - 1, cursor.begin());
    forEachFaceOfVertex([&](int vertex, int face) { vertexFaces_[cursor[vertex]++] = face; });

    vertexEdgeOffsets_.assign(static_cast<std::size_t>(numVertices) + 1, 0);
    for (int vertex : edgeVertices_) {
        ++vertexEdgeOffsets_[vertex + 1];
    }
    accumulate(vertexEdgeOffsets_);
    vertexEdges_.resize(edgeVertices_.size());
    std::copy(vertexEdgeOffsets_.begin(), vertexEdgeOffsets_.end() - 1, cursor.begin());
    for (int edge = 0; edge < numEdges(); ++edge) {
        vertexEdges_[cursor[edgeVertex(edge, 0)]++] = edge;
        vertexEdges_[cursor[edgeVertex(edge, 1)]++] = edge;
    }
}

int Topology::findEdge(int vertexA, int vertexB) const {
    for (int edge : vertexEdges(vertexA)) {
        if (otherVertex(edge, vertexA) == vertexB) {
            return edge;
        }
    }
    return -1;
}

int Topology::otherVertex(int edge, int vertex) const {
    const int a = edgeVertex(edge, 0);
    const int b = edgeVertex(edge, 1);
    return vertex == a ? b : (vertex == b ? a : -1);
}

int Topology::nextFaceVertex(int faceVertex) const {
    const int loop = faceVertexLoop_[faceVertex];
    return faceVertex + 1 < loopOffset(loop + 1) ? faceVertex + 1 : loopOffset(loop);
}

int Topology::previousFaceVertex(int faceVertex) const {
    const int loop = faceVertexLoop_[faceVertex];
    return faceVertex > loopOffset(loop) ? faceVertex - 1 : loopOffset(loop + 1) - 1;
}

int Topology::oppositeFaceVertex(int faceVertex) const {
    const Span<int> sides = edgeFaceVertices(faceVertexEdge_[faceVertex]);
    if (sides.size() != 2) {
        return -1;
    }
    return sides[0] == faceVertex ? sides[1] : sides[0];
}

Span<int> Topology::allFaceEdges(int face) const {
    const int begin = faceVertexOffset(face);
    return {faceVertexEdge_.data() + begin,
            static_cast<std::size_t>(loopOffset(endLoop(face)) - begin)};
}

Span<int> Topology::loopEdges(int loop) const {
    return {faceVertexEdge_.data() + loopOffset(loop), static_cast<std::size_t>(loopSize(loop))};
}

bool Topology::isBorderVertex(int vertex) const {
    const Span<int> edges = vertexEdges(vertex);
    return std::any_of(edges.begin(), edges.end(), [&](int edge) { return isBorderEdge(edge); });
}

void Topology::connectedEdgesOfEdge(int edge, std::vector<int>& out) const {
    out.clear();
    const Span<int> first = vertexEdges(edgeVertex(edge, 0));
    const Span<int> second = vertexEdges(edgeVertex(edge, 1));
    std::merge(first.begin(), first.end(), second.begin(), second.end(), std::back_inserter(out));
    // Only `edge` itself joins both ends (one edge per vertex pair): it appears twice.
    out.erase(std::remove(out.begin(), out.end(), edge), out.end());
}

void Topology::connectedFacesOfFace(int face, std::vector<int>& out) const {
    out.clear();
    for (int edge : allFaceEdges(face)) {
        for (int other : edgeFaces(edge)) {
            if (other != face) {
                out.push_back(other);
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void Topology::connectedEdgesOfFace(int face, std::vector<int>& out) const {
    out.clear();
    const int end = loopOffset(endLoop(face));
    for (int corner = faceVertexOffset(face); corner < end; ++corner) {
        for (int edge : vertexEdges(connectivity_->faceVertices[corner])) {
            if (!edgeOnFace(edge, face)) {
                out.push_back(edge);
            }
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void Topology::connectedVerticesOfVertex(int vertex, std::vector<int>& out) const {
    out.clear();
    for (int edge : vertexEdges(vertex)) {
        out.push_back(otherVertex(edge, vertex));
    }
    std::sort(out.begin(), out.end());
}

bool Topology::edgesShareVertex(int edgeA, int edgeB) const {
    const int a0 = edgeVertex(edgeA, 0);
    const int a1 = edgeVertex(edgeA, 1);
    const int b0 = edgeVertex(edgeB, 0);
    const int b1 = edgeVertex(edgeB, 1);
    return a0 == b0 || a0 == b1 || a1 == b0 || a1 == b1;
}

bool Topology::facesShareEdge(int faceA, int faceB) const {
    for (int edge : allFaceEdges(faceA)) {
        if (edgeOnFace(edge, faceB)) {
            return true;
        }
    }
    return false;
}

bool Topology::edgeOnFace(int edge, int face) const {
    const Span<int> faces = edgeFaces(edge);
    return std::binary_search(faces.begin(), faces.end(), face);
}

}  // namespace mayasim::mesh
