#include "dg/CommandHelpers.h"

#include <maya/MDagPath.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include "dg/Node.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "openmaya/CommandTable.h"

namespace mayasim {
namespace commands {

double internalDistance(double ui) {
    return MDistance(ui, MDistance::uiUnit()).asCentimeters();
}

MPoint internalPoint(const MPoint& ui) {
    return MPoint(internalDistance(ui.x), internalDistance(ui.y), internalDistance(ui.z));
}

MPoint uiPoint(const MPoint& internal) {
    const double perUnit = internalDistance(1.0);
    return MPoint(internal.x / perUnit, internal.y / perUnit, internal.z / perUnit);
}

std::vector<MPoint> pointUses(const CommandCall& call, const char* flag) {
    std::vector<MPoint> points;
    points.reserve(call.uses(flag));
    for (unsigned int use = 0; use < call.uses(flag); ++use)
        points.push_back(internalPoint(MPoint(call.vector(flag, MVector::zero, use))));
    return points;
}

std::vector<Node*> objectsOrSelection(const CommandCall& call, bool& missing) {
    missing = false;
    std::vector<Node*> nodes;
    const std::vector<std::string> names = call.objects();
    if (!names.empty()) {
        for (const std::string& name : names) {
            Node* node = findNode(name.substr(0, name.find('.')));
            if (!node) {
                missing = true;
                return {};
            }
            nodes.push_back(node);
        }
        return nodes;
    }
    const MSelectionList& selection = scene().selection;
    for (unsigned int i = 0; i < selection.length(); ++i) {
        MDagPath path;
        MObject component;
        if (!selection.getDagPath(i, path, component))
            continue;
        if (!component.isNull() && path.node().hasFn(MFn::kShape))
            path.pop();
        if (Node* node = nodeOf(path.node()))
            nodes.push_back(node);
    }
    return nodes;
}

MStringArray namesOf(const std::vector<Node*>& nodes) {
    MStringArray names;
    for (Node* node : nodes)
        names.append(MString(pathOf(*node).partialPathName()));
    return names;
}

}  // namespace commands
}  // namespace mayasim
