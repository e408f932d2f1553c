// A non-rational NURBS surface as Maya stores it, with the queries MFnNurbsSurface answers.
#pragma once

#include <vector>

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "NurbsTypes.h"

namespace mayasim {
namespace nurbs {

//! A surface point with its partial derivatives up to second order.
struct SurfaceSample {
    MPoint point;
    MVector du;
    MVector dv;
    MVector duu;
    MVector duv;
    MVector dvv;
};

//! The answer of a closest-point query.
struct SurfaceClosestPoint {
    MPoint point;
    double u = 0.0;
    double v = 0.0;
    double distance = 0.0;
};

//! The first hit of a ray: where, at which parameters, and how far from the ray's start.
struct SurfaceHit {
    MPoint point;
    double u = 0.0;
    double v = 0.0;
    double distance = 0.0;
};

//! A grid of surface points for drawing: `rows` samples along u, `columns` along v, point
//! (i, j) at index i * columns + j with its unit normal; two triangles per grid cell, wound
//! counter-clockwise seen from the side the normals point to.
struct SurfaceTessellation {
    int rows = 0;
    int columns = 0;
    std::vector<double> uParams;
    std::vector<double> vParams;
    std::vector<MPoint> points;
    std::vector<MVector> normals;
    std::vector<int> triangles;
};

//! A NURBS surface in Maya's representation (the data of a nurbsSurface shape).
//!
//! - CVs form a grid numCVsInU x numCVsInV, addressed [u][v] as in "cv[u][v]"; storage, like
//!   Maya's CV lists, runs with u slowest: CV (u, v) is at index u * numCVsInV + v.
//! - Each direction has its own degree (1 to 7), knots in Maya's convention
//!   (numKnots = numCVs + degree - 1) and form; a periodic direction repeats its first `degree`
//!   rows (or columns) of CVs at its end.
//! - The normal is du x dv, normalised: Maya's primitives are built so it points outwards.
//!
//! Parameters outside the range are clamped, or wrapped in a periodic direction.
class NurbsSurface {
public:
    NurbsSurface() = default;

    //! Validates (per direction, as NurbsCurve::create does) and builds a surface. `cvs` holds
    //! numCVsInU * numCVsInV points, u slowest.
    static NurbsResult<NurbsSurface> create(std::vector<MPoint> cvs, int numCVsInU, int numCVsInV,
                                            std::vector<double> knotsU, std::vector<double> knotsV,
                                            int degreeU, int degreeV, bool periodicU,
                                            bool periodicV);

    int degreeU() const { return degreeU_; }
    int degreeV() const { return degreeV_; }
    NurbsForm formInU() const { return formU_; }
    NurbsForm formInV() const { return formV_; }
    int numCVsInU() const { return numCVsU_; }
    int numCVsInV() const { return numCVsV_; }
    int numSpansInU() const { return numCVsU_ - degreeU_; }
    int numSpansInV() const { return numCVsV_ - degreeV_; }
    int numKnotsInU() const { return static_cast<int>(knotsU_.size()); }
    int numKnotsInV() const { return static_cast<int>(knotsV_.size()); }
    bool isEmpty() const { return cvs_.empty(); }

    const std::vector<MPoint>& cvs() const { return cvs_; }
    const std::vector<double>& knotsInU() const { return knotsU_; }
    const std::vector<double>& knotsInV() const { return knotsV_; }
    const MPoint& cv(int u, int v) const { return cvs_[index(u, v)]; }
    //! Moves one CV and, in a periodic direction, its bound copies. As with MFnNurbsSurface,
    //! call updateSurface() after a batch of moves: it re-derives the open/closed forms.
    void setCV(int u, int v, const MPoint& position);
    void updateSurface();

    double minU() const { return knotsU_[degreeU_ - 1]; }
    double maxU() const { return knotsU_[numCVsU_ - 1]; }
    double minV() const { return knotsV_[degreeV_ - 1]; }
    double maxV() const { return knotsV_[numCVsV_ - 1]; }
    double normalizeU(double u) const;
    double normalizeV(double v) const;

    MPoint pointAt(double u, double v) const;
    //! The point and its partial derivatives up to `order` (0 to 2).
    SurfaceSample sampleAt(double u, double v, int order = 1) const;
    //! The unit normal du x dv. Where it vanishes (a pole, where a whole row of CVs meets), the
    //! normal of the surface right next to it, towards the inside of the range.
    MVector normalAt(double u, double v) const;

    //! The closest surface point to `point` (see NurbsSurfaceLocator for repeated queries).
    SurfaceClosestPoint closestPoint(const MPoint& point) const;
    double distanceToPoint(const MPoint& point) const { return closestPoint(point).distance; }
    bool isPointOnSurface(const MPoint& point, double tolerance = kNurbsEpsilon) const;
    //! The first intersection of the ray from `origin` along `direction` (any length), found
    //! within `tolerance`; false when the ray misses.
    bool intersect(const MPoint& origin, const MVector& direction, SurfaceHit& hit,
                   double tolerance = kNurbsEpsilon) const;

    //! A grid with `divisionsU` x `divisionsV` cells per span.
    SurfaceTessellation tessellate(int divisionsU, int divisionsV) const;

private:
    int index(int u, int v) const { return u * numCVsV_ + v; }
    NurbsForm deriveForm(bool alongU) const;

    int degreeU_ = 0;
    int degreeV_ = 0;
    NurbsForm formU_ = NurbsForm::kInvalid;
    NurbsForm formV_ = NurbsForm::kInvalid;
    int numCVsU_ = 0;
    int numCVsV_ = 0;
    std::vector<MPoint> cvs_;
    std::vector<double> knotsU_;
    std::vector<double> knotsV_;
};

//! Parameter samples along one direction: `divisions` per non-empty span, then the range's end.
std::vector<double> sampleParams(const std::vector<double>& knots, int degree, int numCVs,
                                 int divisions);

}  // namespace nurbs
}  // namespace mayasim
