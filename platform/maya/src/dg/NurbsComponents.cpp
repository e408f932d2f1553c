#include "dg/NurbsComponents.h"

#include <maya/MFn.h>

#include "dg/Component.h"
#include "dg/Node.h"
#include "dg/NurbsNodes.h"
#include "dg/ShapeComponents.h"

namespace mayasim {

MObject curveCVComponent(const std::vector<int>& indices) {
    auto component = std::make_shared<Component>(MFn::kCurveCVComponent);
    for (int index : indices)
        component->add(index);
    return ObjectAccess::wrap(component);
}

MObject surfaceCVComponent(const std::vector<std::pair<int, int>>& uvs) {
    auto component = std::make_shared<Component>(MFn::kSurfaceCVComponent, true);
    for (const auto& [u, v] : uvs)
        component->add(u, v);
    return ObjectAccess::wrap(component);
}

bool curveCVsOf(const MObject& component, int count, std::vector<int>& indices) {
    indices.clear();
    if (component.isNull()) {
        for (int i = 0; i < count; ++i)
            indices.push_back(i);
        return true;
    }
    auto* parts = ObjectAccess::as<Component>(component);
    if (!parts || parts->componentType != MFn::kCurveCVComponent)
        return false;
    for (size_t i = 0; i < parts->size(); ++i) {
        const int index = parts->index(i);
        if (index >= 0 && index < count)
            indices.push_back(index);
    }
    return true;
}

bool surfaceCVsOf(const MObject& component, int countU, int countV,
                  std::vector<std::pair<int, int>>& uvs) {
    uvs.clear();
    auto* parts = ObjectAccess::as<Component>(component);
    if (!component.isNull() && (!parts || parts->componentType != MFn::kSurfaceCVComponent))
        return false;
    if (!parts || parts->complete) {
        for (int u = 0; u < countU; ++u) {
            for (int v = 0; v < countV; ++v)
                uvs.push_back({u, v});
        }
        return true;
    }
    for (size_t i = 0; i < parts->size(); ++i) {
        int u = 0;
        int v = 0;
        parts->uv(i, u, v);
        if (u >= 0 && u < countU && v >= 0 && v < countV)
            uvs.push_back({u, v});
    }
    return true;
}

namespace nurbspoints {

bool isNurbsShape(const MObject& shape) {
    return shape.hasFn(MFn::kNurbsCurve) || shape.hasFn(MFn::kNurbsSurface);
}

bool indicesOf(const MObject& shape, const MObject& component, std::vector<int>& indices) {
    Node* node = nodeOf(shape);
    if (node->hasFn(MFn::kNurbsCurve))
        return curveCVsOf(component, curveGeometry(*node).numCVs(), indices);
    const nurbs::NurbsSurface& surface = surfaceGeometry(*node);
    std::vector<std::pair<int, int>> uvs;
    if (!surfaceCVsOf(component, surface.numCVsInU(), surface.numCVsInV(), uvs))
        return false;
    indices.clear();
    for (const auto& [u, v] : uvs)
        indices.push_back(u * surface.numCVsInV() + v);
    return true;
}

MPoint point(const MObject& shape, int index) {
    Node* node = nodeOf(shape);
    if (node->hasFn(MFn::kNurbsCurve))
        return curveGeometry(*node).cv(index);
    return surfaceGeometry(*node).cvs()[static_cast<size_t>(index)];
}

void setPoints(const MObject& shape, const std::vector<std::pair<int, MPoint>>& points) {
    Node* node = nodeOf(shape);
    if (node->hasFn(MFn::kNurbsCurve))
        setCurveCVs(*node, points, nullptr);
    else
        setSurfaceCVs(*node, points, nullptr);
}

MObject item(const MObject& shape, int index) {
    Node* node = nodeOf(shape);
    if (node->hasFn(MFn::kNurbsCurve))
        return curveCVComponent({index});
    const int countV = surfaceGeometry(*node).numCVsInV();
    return surfaceCVComponent({{index / countV, index % countV}});
}

}  // namespace nurbspoints

namespace {

using nurbs::NurbsCurve;
using nurbs::NurbsForm;
using nurbs::NurbsSurface;

// CVs a user addresses: a periodic direction's bound copies are not listed (a circle's
// CVs are cv[0:7], not cv[0:10]), as in Maya.
int addressableCVs(int numCVs, int degree, NurbsForm form) {
    return form == NurbsForm::kPeriodic ? numCVs - degree : numCVs;
}

// A curve's points: CVs by index, edit points after them (numCVs + edit point index).
class CurveComponents : public ShapeComponents {
public:
    const std::vector<ComponentKind>& kinds() const override {
        static const std::vector<ComponentKind> kinds = {{"cv", MFn::kCurveCVComponent},
                                                         {"ep", MFn::kCurveEPComponent}};
        return kinds;
    }
    ComponentExtent extent(Node& shape, MFn::Type type) const override {
        const NurbsCurve& curve = curveGeometry(shape);
        if (curve.isEmpty())
            return {};
        if (type == MFn::kCurveCVComponent)
            return {addressableCVs(curve.numCVs(), curve.degree(), curve.form())};
        return {type == MFn::kCurveEPComponent ? curve.numEditPoints() : 0};
    }
    std::vector<int> pointsOf(Node& shape, const Component& component) const override {
        const NurbsCurve& curve = curveGeometry(shape);
        const int offset = component.componentType == MFn::kCurveEPComponent ? curve.numCVs() : 0;
        const int count = offset ? curve.numEditPoints() : curve.numCVs();
        std::vector<int> points;
        for (int64_t key : component.sortedKeys()) {
            if (key >= 0 && key < count)
                points.push_back(offset + static_cast<int>(key));
        }
        return points;
    }
    void getPoints(Node& shape, const std::vector<int>& indices,
                   std::vector<MPoint>& positions) const override {
        const NurbsCurve& curve = curveGeometry(shape);
        positions.clear();
        for (int index : indices) {
            positions.push_back(index < curve.numCVs() ? curve.cv(index)
                                                       : curve.editPoint(index - curve.numCVs()));
        }
    }
    void setPoints(Node& shape, const std::vector<int>& indices,
                   const std::vector<MPoint>& positions) const override {
        const int numCVs = curveGeometry(shape).numCVs();
        CVPositions cvs;
        CVPositions editPoints;
        for (size_t i = 0; i < indices.size() && i < positions.size(); ++i) {
            if (indices[i] < numCVs)
                cvs.push_back({indices[i], positions[i]});
            else
                editPoints.push_back({indices[i] - numCVs, positions[i]});
        }
        if (!cvs.empty())
            setCurveCVs(shape, cvs, nullptr);
        if (!editPoints.empty())
            setCurveEditPoints(shape, editPoints, nullptr);
    }
};

// A surface's CVs by u * numCVsInV + v.
class SurfaceComponents : public ShapeComponents {
public:
    const std::vector<ComponentKind>& kinds() const override {
        static const std::vector<ComponentKind> kinds = {{"cv", MFn::kSurfaceCVComponent, true}};
        return kinds;
    }
    ComponentExtent extent(Node& shape, MFn::Type type) const override {
        const NurbsSurface& surface = surfaceGeometry(shape);
        if (surface.isEmpty() || type != MFn::kSurfaceCVComponent)
            return {};
        return {addressableCVs(surface.numCVsInU(), surface.degreeU(), surface.formInU()),
                addressableCVs(surface.numCVsInV(), surface.degreeV(), surface.formInV())};
    }
    std::vector<int> pointsOf(Node& shape, const Component& component) const override {
        const NurbsSurface& surface = surfaceGeometry(shape);
        std::vector<int> points;
        for (int64_t key : component.sortedKeys()) {
            const int u = Component::keyU(key);
            const int v = Component::keyV(key);
            if (u < surface.numCVsInU() && v < surface.numCVsInV())
                points.push_back(u * surface.numCVsInV() + v);
        }
        return points;
    }
    void getPoints(Node& shape, const std::vector<int>& indices,
                   std::vector<MPoint>& positions) const override {
        const NurbsSurface& surface = surfaceGeometry(shape);
        positions.clear();
        for (int index : indices)
            positions.push_back(surface.cvs()[static_cast<size_t>(index)]);
    }
    void setPoints(Node& shape, const std::vector<int>& indices,
                   const std::vector<MPoint>& positions) const override {
        CVPositions cvs;
        for (size_t i = 0; i < indices.size() && i < positions.size(); ++i)
            cvs.push_back({indices[i], positions[i]});
        setSurfaceCVs(shape, cvs, nullptr);
    }
};

}  // namespace

void registerNurbsComponents() {
    registerShapeComponents(MFn::kNurbsCurve, std::make_shared<CurveComponents>());
    registerShapeComponents(MFn::kNurbsSurface, std::make_shared<SurfaceComponents>());
}

}  // namespace mayasim
