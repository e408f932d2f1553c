// Closest-point and ray queries on a NURBS surface, accelerated for repeated use.
#pragma once

#include <vector>

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "NurbsSurface.h"

namespace mayasim {
namespace nurbs {

//! Answers closest-point and ray queries on one surface. Building it samples the surface on a
//! grid (several cells per span) and puts a bounding-box tree over the grid cells; a query
//! walks the tree to the few cells that can hold the answer, takes a first guess from the
//! cell's triangles and refines it with Newton iterations on the exact surface.
//!
//! The locator keeps a reference to the surface: the surface must outlive it and must not change
//! while it is used (build a new locator after editing CVs, as MFnNurbsSurface users re-fetch).
class NurbsSurfaceLocator {
public:
    explicit NurbsSurfaceLocator(const NurbsSurface& surface);

    //! The closest surface point to `point`.
    SurfaceClosestPoint closestPoint(const MPoint& point) const;

    //! The first intersection along the ray from `origin` in `direction` (any non-zero length);
    //! a point counts as on the surface within `tolerance`. False when the ray misses.
    bool intersect(const MPoint& origin, const MVector& direction, SurfaceHit& hit,
                   double tolerance = kNurbsEpsilon) const;

private:
    struct Box {
        MPoint lo;
        MPoint hi;
    };
    struct Node {
        Box box;
        int first = -1;  // children: first and first + 1; -1 for a leaf
        int cell = -1;   // a leaf's cell index
    };
    struct Guess {
        double u = 0.0;
        double v = 0.0;
        double score = 0.0;
    };

    void buildNode(int index, int i0, int i1, int j0, int j1);
    Box cellBox(int cell) const;
    // The fine sample (2 per cell and direction) at fine grid position (fi, fj).
    const MPoint& fine(int fi, int fj) const { return finePoints_[fi * fineColumns_ + fj]; }
    double fineU(int fi) const { return fineU_[fi]; }
    double fineV(int fj) const { return fineV_[fj]; }
    // Visits the 8 triangles of a cell: each as three fine grid positions.
    template <class Visit>
    void forEachTriangle(int cell, Visit&& visit) const;

    SurfaceClosestPoint refineClosest(const MPoint& point, double u, double v) const;
    bool refineHit(const MPoint& origin, const MVector& direction, double tolerance, double u,
                   double v, double t, SurfaceHit& hit) const;

    const NurbsSurface& surface_;
    int cellRows_ = 0;
    int cellColumns_ = 0;
    int fineColumns_ = 0;
    std::vector<double> fineU_;
    std::vector<double> fineV_;
    std::vector<MPoint> finePoints_;
    std::vector<Node> nodes_;
};

}  // namespace nurbs
}  // namespace mayasim
