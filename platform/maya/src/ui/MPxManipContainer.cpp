#include <maya/MPxManipContainer.h>

#include <maya/MDagModifier.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>

#include <algorithm>
#include <vector>

namespace {

// Node types whose nodes get their manipulator shown when selected (showManipCtx).
std::vector<unsigned int>& connectTable() {
    static std::vector<unsigned int> ids;
    return ids;
}

}  // namespace

MPxManipContainer::MPxManipContainer() = default;
MPxManipContainer::~MPxManipContainer() = default;

MPxNode::Type MPxManipContainer::type() const {
    return kManipContainer;
}

MStatus MPxManipContainer::initialize() {
    return MS::kSuccess;
}

MPxManipContainer* MPxManipContainer::newManipulator(const MString& manipName, MObject& manipObject,
                                                     MStatus* ReturnStatus) {
    // Manipulator containers are DAG nodes (transforms), so they need the DAG modifier.
    MDagModifier modifier;
    MStatus status;
    MObject node = modifier.createNode(manipName, MObject::kNullObj, &status);
    if (status)
        status = modifier.doIt();
    MPxManipContainer* manip = nullptr;
    if (status) {
        manip = dynamic_cast<MPxManipContainer*>(MFnDependencyNode(node).userNode());
        if (!manip) {
            MGlobal::displayError("newManipulator: \"" + manipName +
                                  "\" is not a manipulator type");
            modifier.undoIt();
            status = MS::kInvalidParameter;
        }
    }
    manipObject = manip ? node : MObject();
    if (ReturnStatus)
        *ReturnStatus = status;
    return manip;
}

MStatus MPxManipContainer::createChildren() {
    return MS::kSuccess;
}
MStatus MPxManipContainer::connectToDependNode(const MObject&) {
    return MS::kSuccess;
}

void MPxManipContainer::draw(M3dView&, const MDagPath&, M3dView::DisplayStyle,
                             M3dView::DisplayStatus) {}

MStatus MPxManipContainer::doPress() {
    return MS::kSuccess;
}
MStatus MPxManipContainer::doDrag() {
    return MS::kSuccess;
}
MStatus MPxManipContainer::doRelease() {
    return MS::kSuccess;
}
MStatus MPxManipContainer::finishAddingManips() {
    return MS::kSuccess;
}

MStatus MPxManipContainer::addToManipConnectTable(MTypeId& typeId) {
    auto& ids = connectTable();
    if (std::find(ids.begin(), ids.end(), typeId.id()) == ids.end())
        ids.push_back(typeId.id());
    return MS::kSuccess;
}

MStatus MPxManipContainer::removeFromManipConnectTable(MTypeId& typeId) {
    auto& ids = connectTable();
    auto it = std::find(ids.begin(), ids.end(), typeId.id());
    if (it == ids.end())
        return MS::kInvalidParameter;
    ids.erase(it);
    return MS::kSuccess;
}
