#pragma once
// Maya's polygon primitives with their flags, defaults and component numbering.
//
// Defaults are the creation nodes' attribute defaults (what polyCube, polySphere... build with no
// flags). Every primitive is built around the Y axis and then turned so that Y points along
// `axis` (-ax); the turn is the shortest rotation, and a half turn about Z for -Y. Subdivision
// counts below Maya's minimum are raised to it, as the nodes' attribute limits do.
//
// Numbering. Where Maya's output was checked against scene files written by Maya (the defaults
// of all five, the sphere, cylinder and torus for any subdivisions, plane and cube grids), the
// vertex, edge and face ids below are Maya's; the rest (cube grids with more than one
// subdivision, cylinder caps with more than one ring) follow the same pattern by our choice.
//
// Cube (8 vertices, 12 edges, 6 faces by default): vertices walk a loop around X - front
//   (z = +d/2) upwards, top backwards, back downwards, bottom forwards - each loop position a row
//   of subdivisionsWidth + 1 points from -x to +x; then the inner points of the +x and -x caps.
//   Faces: the band in loop order (front, top, back, bottom), then the +x cap, then the -x cap.
//   Edges: first every row's edges along x, then every loop step's edges, row by row.
// Sphere (382/780/400): rings from bottom to top, each of subdivisionsAxis points starting one
//   step from +x and turning towards -z; then the south and north poles. Faces: quads ring by
//   ring, then the south fan, then the north fan. Edges: ring edges, then edges between rings,
//   then the south pole's spokes, then the north pole's.
// Plane (121/220/100): rows of subdivisionsWidth + 1 points from -x to +x, row 0 at
//   z = +height/2 going towards -z; faces row by row; edges per point: along x, then along z.
// Cylinder (42/100/60): rings from bottom to top; then, with subdivisionsCaps > 1, the inner cap
//   rings (bottom cap outside-in, then the top cap); then the bottom and top centres. Faces: the
//   sides ring by ring, then the bottom cap, then the top cap. subdivisionsCaps 0 makes each cap
//   one polygon. `caps` = false leaves the tube open (not a Maya flag).
// Torus (400/800/400): rings of subdivisionsAxis points around the axis, ring k at section
//   angle 180 - k * 360 / subdivisionsHeight degrees from the outside (ring 0 on the inner
//   equator); faces ring by ring; ring edges, then edges between rings. `twist` turns every
//   section by that many degrees.

#include <string>

#include "geometry/Mesh.h"
#include "geometry/MeshMath.h"

namespace mayasim::mesh {

struct CubeOptions {
    double width = 1.0;
    double height = 1.0;
    double depth = 1.0;
    int subdivisionsWidth = 1;
    int subdivisionsHeight = 1;
    int subdivisionsDepth = 1;
    Vec3 axis{0.0, 1.0, 0.0};
};

struct SphereOptions {
    double radius = 1.0;
    int subdivisionsAxis = 20;
    int subdivisionsHeight = 20;
    Vec3 axis{0.0, 1.0, 0.0};
};

struct PlaneOptions {
    double width = 1.0;
    double height = 1.0;
    int subdivisionsWidth = 10;
    int subdivisionsHeight = 10;
    Vec3 axis{0.0, 1.0, 0.0};
};

struct CylinderOptions {
    double radius = 1.0;
    double height = 2.0;
    int subdivisionsAxis = 20;
    int subdivisionsHeight = 1;
    int subdivisionsCaps = 1;
    bool caps = true;
    Vec3 axis{0.0, 1.0, 0.0};
};

struct TorusOptions {
    double radius = 1.0;
    double sectionRadius = 0.5;
    double twist = 0.0;  // degrees
    int subdivisionsAxis = 20;
    int subdivisionsHeight = 20;
    Vec3 axis{0.0, 1.0, 0.0};
};

//! Why the options cannot build a mesh (a non-finite size, an axis of no length, more faces than
//! a mesh can index), or an empty string when they can. The builders return an empty mesh then.
std::string primitiveProblem(const CubeOptions& options);
std::string primitiveProblem(const SphereOptions& options);
std::string primitiveProblem(const PlaneOptions& options);
std::string primitiveProblem(const CylinderOptions& options);
std::string primitiveProblem(const TorusOptions& options);

Mesh makeCube(const CubeOptions& options = {});
Mesh makeSphere(const SphereOptions& options = {});
Mesh makePlane(const PlaneOptions& options = {});
Mesh makeCylinder(const CylinderOptions& options = {});
Mesh makeTorus(const TorusOptions& options = {});

}  // namespace mayasim::mesh
