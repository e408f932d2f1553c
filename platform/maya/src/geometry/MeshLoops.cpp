#include "geometry/MeshLoops.h"

#include <algorithm>

#include "geometry/MeshTopology.h"

namespace mayasim::mesh {

namespace {

// A position on a walk: the edge reached and the vertex (loops, borders) or face (rings) the walk
// leaves it through.
struct Step {
    int edge;
    int through;
};

struct TwoWayWalk {
    std::vector<int> forward;
    std::vector<int> backward;
    bool closed = false;
};

bool valid(const Topology& topology, int edge) {
    return edge >= 0 && edge < topology.numEdges();
}

bool shareFace(const Topology& topology, int edgeA, int edgeB) {
    for (int face : topology.edgeFaces(edgeA)) {
        if (topology.edgeOnFace(edgeB, face)) {
            return true;
        }
    }
    return false;
}

Step loopStep(const Topology& topology, const Step& at) {
    const int vertex = at.through;
    const Span<int> edges = topology.vertexEdges(vertex);
    if (edges.size() != 4 || topology.isBorderVertex(vertex)) {
        return {-1, -1};
    }
    int opposite = -1;
    for (int edge : edges) {
        if (edge != at.edge && !shareFace(topology, edge, at.edge)) {
            if (opposite >= 0) {
                return {-1, -1};
            }
            opposite = edge;
        }
    }
    return opposite < 0 ? Step{-1, -1} : Step{opposite, topology.otherVertex(opposite, vertex)};
}

Step borderStep(const Topology& topology, const Step& at) {
    int next = -1;
    for (int edge : topology.vertexEdges(at.through)) {
        if (edge != at.edge && topology.isBorderEdge(edge)) {
            if (next >= 0) {
                return {-1, -1};
            }
            next = edge;
        }
    }
    return next < 0 ? Step{-1, -1} : Step{next, topology.otherVertex(next, at.through)};
}

Step ringStep(const Topology& topology, const Step& at) {
    const int face = at.through;
    if (face < 0 || !topology.isQuad(face)) {
        return {-1, -1};
    }
    const Span<int> edges = topology.faceEdges(face);
    const auto position = std::find(edges.begin(), edges.end(), at.edge) - edges.begin();
    const int opposite = edges[static_cast<std::size_t>((position + 2) % 4)];
    int beyond = -1;
    for (int other : topology.edgeFaces(opposite)) {
        if (other != face) {
            beyond = other;
        }
    }
    // Past a border, or into a third face of a non-manifold edge, the ring ends at this edge.
    if (topology.edgeFaces(opposite).size() != 2) {
        beyond = -1;
    }
    return {opposite, beyond};
}

// Walks from `start` leaving through `through` until the step function stops or the walk comes
// back to `start`. On a manifold mesh every step can be undone, so a walk cannot circle without
// passing `start`; the step bound guards against non-manifold input.
template <typename StepFunction>
std::vector<int> walk(const Topology& topology, int start, int through, StepFunction step,
                      bool& closed) {
    std::vector<int> edges;
    closed = false;
    Step at{start, through};
    for (int steps = 0; steps < topology.numEdges() && at.through >= 0; ++steps) {
        at = step(topology, at);
        if (at.edge < 0) {
            break;
        }
        if (at.edge == start) {
            closed = true;
            break;
        }
        edges.push_back(at.edge);
    }
    return edges;
}

template <typename StepFunction>
TwoWayWalk walkBothWays(const Topology& topology, int start, int forwardThrough,
                        int backwardThrough, StepFunction step) {
    TwoWayWalk result;
    result.forward = walk(topology, start, forwardThrough, step, result.closed);
    if (!result.closed) {
        bool unused;
        result.backward = walk(topology, start, backwardThrough, step, unused);
        // Non-manifold input can lead the two ways into each other; keep the first meeting.
        for (std::size_t i = 0; i < result.backward.size(); ++i) {
            if (std::find(result.forward.begin(), result.forward.end(), result.backward[i]) !=
                result.forward.end()) {
                result.backward.resize(i);
                break;
            }
        }
    }
    return result;
}

TwoWayWalk loopWalk(const Topology& topology, int edge) {
    return walkBothWays(topology, edge, topology.edgeVertex(edge, 1), topology.edgeVertex(edge, 0),
                        loopStep);
}

TwoWayWalk ringWalk(const Topology& topology, int edge) {
    const Span<int> faces = topology.edgeFaces(edge);
    return walkBothWays(topology, edge, faces.size() > 0 ? faces[0] : -1,
                        faces.size() == 2 ? faces[1] : -1, ringStep);
}

EdgeWalk flatten(int start, const TwoWayWalk& walk) {
    EdgeWalk result;
    result.closed = walk.closed;
    result.edges.reserve(1 + walk.forward.size() + walk.backward.size());
    result.edges.push_back(start);
    result.edges.insert(result.edges.end(), walk.forward.begin(), walk.forward.end());
    result.edges.insert(result.edges.end(), walk.backward.begin(), walk.backward.end());
    return result;
}

std::vector<int> path(int from, int to, const TwoWayWalk& walk) {
    if (from == to) {
        return {from};
    }
    auto prefix = [&](const std::vector<int>& way, std::size_t last) {
        std::vector<int> edges{from};
        edges.insert(edges.end(), way.begin(), way.begin() + static_cast<long>(last) + 1);
        return edges;
    };
    const auto inForward = std::find(walk.forward.begin(), walk.forward.end(), to);
    if (inForward != walk.forward.end()) {
        const std::size_t index = static_cast<std::size_t>(inForward - walk.forward.begin());
        const std::size_t around = walk.forward.size() + 1;  // edges on the closed loop
        if (walk.closed && around - (index + 1) < index + 1) {
            // Shorter the other way round: from, then the forward walk backwards down to `to`.
            std::vector<int> edges{from};
            edges.insert(edges.end(), walk.forward.rbegin(),
                         walk.forward.rbegin() + static_cast<long>(walk.forward.size() - index));
            return edges;
        }
        return prefix(walk.forward, index);
    }
    const auto inBackward = std::find(walk.backward.begin(), walk.backward.end(), to);
    if (inBackward != walk.backward.end()) {
        return prefix(walk.backward, static_cast<std::size_t>(inBackward - walk.backward.begin()));
    }
    return {};
}

}  // namespace

EdgeWalk edgeLoop(const Topology& topology, int edge) {
    return valid(topology, edge) ? flatten(edge, loopWalk(topology, edge)) : EdgeWalk{};
}

EdgeWalk edgeBorder(const Topology& topology, int edge) {
    if (!valid(topology, edge) || !topology.isBorderEdge(edge)) {
        return {};
    }
    return flatten(edge, walkBothWays(topology, edge, topology.edgeVertex(edge, 1),
                                      topology.edgeVertex(edge, 0), borderStep));
}

EdgeWalk edgeLoopOrBorder(const Topology& topology, int edge) {
    if (valid(topology, edge) && topology.isBorderEdge(edge)) {
        return edgeBorder(topology, edge);
    }
    return edgeLoop(topology, edge);
}

EdgeWalk edgeRing(const Topology& topology, int edge) {
    return valid(topology, edge) ? flatten(edge, ringWalk(topology, edge)) : EdgeWalk{};
}

std::vector<int> edgeLoopPath(const Topology& topology, int from, int to) {
    if (!valid(topology, from) || !valid(topology, to)) {
        return {};
    }
    return path(from, to, loopWalk(topology, from));
}

std::vector<int> edgeRingPath(const Topology& topology, int from, int to) {
    if (!valid(topology, from) || !valid(topology, to)) {
        return {};
    }
    return path(from, to, ringWalk(topology, from));
}

}  // namespace mayasim::mesh
