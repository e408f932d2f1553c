#pragma once
// Curve and surface CV components: made for function sets and iterators, and read back as
// the CVs they name.

#include <utility>
#include <vector>

#include <maya/MObject.h>
#include <maya/MPoint.h>

namespace mayasim {

//! A curve CV component of `indices`.
MObject curveCVComponent(const std::vector<int>& indices);
//! A surface CV component of (u, v) pairs.
MObject surfaceCVComponent(const std::vector<std::pair<int, int>>& uvs);

//! The CVs of a curve CV component that exist on a curve of `count` CVs, in the
//! component's order; every CV for a null component. False for another kind of component.
bool curveCVsOf(const MObject& component, int count, std::vector<int>& indices);
//! The same for surface CV components on a countU x countV grid.
bool surfaceCVsOf(const MObject& component, int countU, int countV,
                  std::vector<std::pair<int, int>>& uvs);

//! The points MItGeometry walks on a curve or surface shape: its CVs, by flat index (u
//! slowest on surfaces).
namespace nurbspoints {
bool isNurbsShape(const MObject& shape);
//! The CVs `component` names (every CV for a null one); false for another kind.
bool indicesOf(const MObject& shape, const MObject& component, std::vector<int>& indices);
MPoint point(const MObject& shape, int index);
void setPoints(const MObject& shape, const std::vector<std::pair<int, MPoint>>& points);
//! A CV component of the one CV.
MObject item(const MObject& shape, int index);
}  // namespace nurbspoints

//! Makes curve ("cv", "ep") and surface ("cv" by u and v) components known to component
//! strings, selection lists and the commands that move points.
void registerNurbsComponents();

}  // namespace mayasim
