#include "SelectionDisplay.h"

#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MItGeometry.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MSelectionMask.h>

namespace vxsim::render {
namespace {

std::vector<int>* listFor(MeshComponents& components, MFn::Type type) {
    switch (type) {
        case MFn::kMeshVertComponent:
            return &components.vertices;
        case MFn::kMeshEdgeComponent:
            return &components.edges;
        case MFn::kMeshPolygonComponent:
            return &components.faces;
        default:
            return nullptr;
    }
}

void addComponents(const MObject& component, MeshComponents& components) {
    MFnSingleIndexedComponent fn(component);
    std::vector<int>* list = listFor(components, fn.componentType());
    MIntArray elements;
    if (!list || !fn.getElements(elements))
        return;
    for (unsigned int i = 0; i < elements.length(); ++i)
        list->push_back(elements[i]);
}

// Components may be listed under the transform or the shape. (A transform's path has the
// function sets of its shape, so ask the node itself.)
bool toMeshShape(MDagPath& path) {
    if (!path.node().hasFn(MFn::kMesh))
        path.extendToShape();
    return path.node().hasFn(MFn::kMesh);
}

bool toNurbsShape(MDagPath& path) {
    if (!path.node().hasFn(MFn::kNurbsCurve) && !path.node().hasFn(MFn::kNurbsSurface))
        path.extendToShape();
    return path.node().hasFn(MFn::kNurbsCurve) || path.node().hasFn(MFn::kNurbsSurface);
}

// Curve CVs by index, surface CVs by u * numCVsInV + v.
void addCVs(const MDagPath& shape, const MObject& component, std::vector<int>& cvs) {
    MItGeometry it(shape, const_cast<MObject&>(component));
    for (; !it.isDone(); it.next())
        cvs.push_back(it.index());
}

}  // namespace

SelectionDisplay SelectionDisplay::ofActiveSelection() {
    SelectionDisplay display;
    MSelectionList active;
    MGlobal::getActiveSelectionList(active);
    std::string lead;
    for (unsigned int i = 0; i < active.length(); ++i) {
        MDagPath path;
        MObject component;
        if (!active.getDagPath(i, path, component))
            continue;
        if (component.isNull()) {
            lead = path.fullPathName().asChar();
            display.objects_[lead] = false;
        } else if (toMeshShape(path)) {
            addComponents(component, display.components_[path.fullPathName().asChar()]);
        } else if (toNurbsShape(path)) {
            addCVs(path, component, display.cvs_[path.fullPathName().asChar()]);
        }
    }
    if (!lead.empty())
        display.objects_[lead] = true;
    // Hilited objects draw in the hilite colour; meshes with their vertices while vertices
    // are picked.
    MSelectionList hilited;
    MGlobal::getHiliteList(hilited);
    const bool vertices =
        MGlobal::componentSelectionMask().intersects(MSelectionMask::kSelectMeshVerts);
    for (unsigned int i = 0; i < hilited.length(); ++i) {
        MDagPath path;
        if (!hilited.getDagPath(i, path))
            continue;
        display.hilited_.insert(path.fullPathName().asChar());
        if (toMeshShape(path))
            display.components_[path.fullPathName().asChar()].showVertices = vertices;
    }
    return display;
}

M3dView::DisplayStatus SelectionDisplay::statusOf(const MDagPath& shape) const {
    // A selected group shows everything under it as selected.
    for (MDagPath walk = shape; walk.length() > 0; walk.pop()) {
        const auto found = objects_.find(walk.fullPathName().asChar());
        if (found != objects_.end())
            return found->second ? M3dView::kLead : M3dView::kActive;
    }
    const std::string name = shape.fullPathName().asChar();
    if (components_.count(name) || cvs_.count(name))
        return M3dView::kHilite;
    // Objects hilited for component picking, by their shape or their transform.
    for (MDagPath walk = shape; walk.length() > 0; walk.pop()) {
        if (hilited_.count(walk.fullPathName().asChar()))
            return M3dView::kHilite;
    }
    return M3dView::kDormant;
}

const std::vector<int>* SelectionDisplay::cvsOf(const MDagPath& shape) const {
    const auto found = cvs_.find(shape.fullPathName().asChar());
    return found == cvs_.end() ? nullptr : &found->second;
}

const MeshComponents* SelectionDisplay::componentsOf(const MDagPath& shape) const {
    const auto found = components_.find(shape.fullPathName().asChar());
    return found == components_.end() ? nullptr : &found->second;
}

}  // namespace vxsim::render
