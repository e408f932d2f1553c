#pragma once
// Edge loops, borders and rings as polySelect makes them.
//
// Loop (-edgeLoop): from an edge, through each vertex to the edge opposite it, which shares no
// face with the edge arrived by. The walk goes only through vertices with exactly four edges
// that are not on a border, so it stops at borders and at poles, corners and other vertices
// with more or fewer edges.
// Border (-edgeBorder): from a border edge, along the border edges, through every vertex with
// exactly one other border edge.
// Ring (-edgeRing): from an edge, across each face to the face's opposite edge, then into the
// face on that edge's other side. It crosses only four-cornered faces without holes and stops at
// borders and at other faces.
//
// Order: the picked edge first, then the walk one way (a loop through edgeVertex(edge, 1), a
// ring through edgeFaces(edge)[0]), then, unless it came back round, the walk the other way.
// Each edge appears once; `closed` says the walk came back to the picked edge (polySelect then
// lists the picked edge again at the end).

#include <vector>

namespace mayasim::mesh {

class Topology;

struct EdgeWalk {
    std::vector<int> edges;
    bool closed = false;
};

EdgeWalk edgeLoop(const Topology& topology, int edge);
EdgeWalk edgeBorder(const Topology& topology, int edge);
//! -edgeLoopOrBorder: the border for a border edge, otherwise the loop.
EdgeWalk edgeLoopOrBorder(const Topology& topology, int edge);
EdgeWalk edgeRing(const Topology& topology, int edge);

//! -edgeLoopPath / -edgeRingPath: the shorter way from `from` to `to` along the loop (ring)
//! through `from`, both ends included, in walk order from `from`; the way through
//! edgeVertex(from, 1) (edgeFaces(from)[0]) when both are equally long. Empty when `to` is not on
//! that loop (ring).
std::vector<int> edgeLoopPath(const Topology& topology, int from, int to);
std::vector<int> edgeRingPath(const Topology& topology, int from, int to);

}  // namespace mayasim::mesh
