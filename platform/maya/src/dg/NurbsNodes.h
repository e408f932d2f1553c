#pragma once
// NURBS curve and surface shapes and their creator nodes (makeNurbCircle, makeNurbPlane,
// makeNurbSphere), around the geometry kernel.
//
// A shape keeps its geometry in its "cached" attribute as a data object that is treated as
// a value: edits through the functions below copy it when anything else (an undo record, a
// duplicate) still holds it, so duplicates and undo never see each other's edits. A shape
// whose "create" input is connected takes the creator's output when that changes, with the
// CV moves made on the shape since (its tweaks) applied on top, as Maya keeps them.

#include <memory>
#include <vector>

#include <maya/MBoundingBox.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>

#include "dg/EditLog.h"
#include "geometry/NurbsCurve.h"
#include "geometry/NurbsSurface.h"
#include "geometry/NurbsSurfaceLocator.h"
#include "mayasim/DgObject.h"

namespace mayasim {

class Node;

//! The value of a nurbsCurve attribute: a curve, and on a shape its tweaks.
class NurbsCurveData : public Object {
public:
    explicit NurbsCurveData(nurbs::NurbsCurve value = {}) : curve(std::move(value)) {}
    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    nurbs::NurbsCurve curve;
    std::vector<MVector> tweaks;  //!< per CV, on shapes with history
    MObject syncedInput;          //!< the "create" value the curve was last taken from
};

//! The value of a nurbsSurface attribute: a surface, and on a shape its tweaks.
class NurbsSurfaceData : public Object {
public:
    explicit NurbsSurfaceData(nurbs::NurbsSurface value = {}) : surface(std::move(value)) {}
    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    nurbs::NurbsSurface surface;
    std::vector<MVector> tweaks;  //!< per CV (u slowest), on shapes with history
    MObject syncedInput;          //!< the "create" value the surface was last taken from
    //! Closest-point and ray queries on `surface`, built on first use and dropped on edits.
    std::unique_ptr<nurbs::NurbsSurfaceLocator> locator;
    //! The same for the surface carried by a matrix that scales unevenly (kept for the last
    //! such matrix, as hit tests ask again and again with the same one).
    struct Carried {
        MMatrix matrix;
        nurbs::NurbsSurface surface;
        std::unique_ptr<nurbs::NurbsSurfaceLocator> locator;
    };
    std::unique_ptr<Carried> carried;
};

void addNurbsTypes();

//! The geometry of a curve or surface shape, brought up to date with its history.
const nurbs::NurbsCurve& curveGeometry(Node& shape);
const nurbs::NurbsSurface& surfaceGeometry(Node& shape);

//! Brings a curve or surface shape's stored geometry up to date with its history (nothing
//! for other nodes), so that copying its values copies its geometry.
void settleNurbsGeometry(Node& node);

//! The shape's surface with its locator for repeated closest-point and ray queries.
const nurbs::NurbsSurfaceLocator& surfaceLocator(Node& shape);
//! The locator of the shape's surface carried by `m` (into world space, say).
const nurbs::NurbsSurfaceLocator& carriedSurfaceLocator(Node& shape, const MMatrix& m);

//! Replaces a shape's geometry (clearing its tweaks), recorded in `log` when given.
void setCurveGeometry(Node& shape, nurbs::NurbsCurve curve, EditLog* log);
void setSurfaceGeometry(Node& shape, nurbs::NurbsSurface surface, EditLog* log);

//! Moves CVs to new object-space positions (flat indices, u slowest for surfaces); on a
//! shape with history the offsets add to its tweaks. A surface re-derives its forms
//! afterwards unless `deferFormUpdate` (MFnNurbsSurface::setCV leaves that to updateSurface).
//! Recorded in `log` when given.
using CVPositions = std::vector<std::pair<int, MPoint>>;
void setCurveCVs(Node& shape, const CVPositions& cvs, EditLog* log);
void setSurfaceCVs(Node& shape, const CVPositions& cvs, EditLog* log, bool deferFormUpdate = false);
//! Moves edit points (index, object-space position), keeping the knots (see
//! nurbs::setEditPoints); recorded in `log` when given.
void setCurveEditPoints(Node& shape, const CVPositions& editPoints, EditLog* log);
//! Re-derives a surface's open or closed forms after CV moves (MFnNurbsSurface::updateSurface).
void updateSurfaceForms(Node& shape);

//! The box around a curve's or surface's CVs (which holds the whole geometry), object space.
MBoundingBox nurbsBoundingBox(Node& shape);

//! The geometry with its CVs carried by `m` (into world space, say).
nurbs::NurbsCurve transformedCurve(const nurbs::NurbsCurve& curve, const MMatrix& m);
nurbs::NurbsSurface transformedSurface(const nurbs::NurbsSurface& surface, const MMatrix& m);

//! Whether m only rotates (or mirrors), moves and scales uniformly; `scale` is that scale.
//! Queries under such a transform can run in object space and scale their distances back.
bool isSimilarity(const MMatrix& m, double& scale);

//! Connects a creator's output to a new shape's "create" input.
MStatus connectHistory(Node& creator, const char* output, Node& shape, EditLog* log);

}  // namespace mayasim
