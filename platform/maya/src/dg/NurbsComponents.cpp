#include "dg/NurbsComponents.h"

#include <maya/MFn.h>

#include "dg/DataObjects.h"
#include "dg/Node.h"
#include "dg/NurbsNodes.h"

namespace mayasim {

MObject curveCVComponent(const std::vector<int>& indices) {
    auto component = std::make_shared<Component>(MFn::kCurveCVComponent);
    component->elements = indices;
    return ObjectAccess::wrap(component);
}

MObject surfaceCVComponent(const std::vector<std::pair<int, int>>& uvs) {
    auto component = std::make_shared<Component>(MFn::kSurfaceCVComponent);
    for (const auto& [u, v] : uvs) {
        component->elements.push_back(u);
        component->elements.push_back(v);
    }
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
    for (int index : parts->resolved()) {
        if (index >= 0 && index < count)
            indices.push_back(index);
    }
    return true;
}

bool surfaceCVsOf(const MObject& component, int countU, int countV,
                  std::vector<std::pair<int, int>>& uvs) {
    uvs.clear();
    if (component.isNull()) {
        for (int u = 0; u < countU; ++u) {
            for (int v = 0; v < countV; ++v)
                uvs.push_back({u, v});
        }
        return true;
    }
    auto* parts = ObjectAccess::as<Component>(component);
    if (!parts || parts->componentType != MFn::kSurfaceCVComponent)
        return false;
    if (parts->complete)
        return surfaceCVsOf(MObject(), countU, countV, uvs);
    for (size_t i = 0; i + 1 < parts->elements.size(); i += 2) {
        const int u = parts->elements[i];
        const int v = parts->elements[i + 1];
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

}  // namespace mayasim
