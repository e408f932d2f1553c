#pragma once
// The scene as the host sees it: the nodes, the DAG below the world, the active selection
// and the current time. MGlobal's selection calls and the host's scene commands forward here.

#include <functional>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTime.h>

namespace mayasim {

class Scene {
public:
    static Scene& instance();

    // A new, empty scene: every node deleted but the world and time1, nothing selected,
    // time 0. Deleted nodes stay valid only for handles that still hold them.
    void reset();

    MObject world() const;
    MObject timeNode() const;
    // By name, "node.attr" excluded; DAG nodes also by full ("|a|b") or partial ("a|b") path.
    MObject findNode(const MString& name) const;
    MStatus findPath(const MString& name, MDagPath& path) const;
    // Every node in the scene, in creation order (the world excluded).
    std::vector<MObject> nodes() const;

    // Creates a node the way createNode does: shapes without a parent get a new transform.
    MStatus createNode(const MString& typeName, const MString& name, const MObject& parent,
                       MObject& result);
    MStatus deleteNode(const MObject& node);

    MSelectionList activeSelection() const;
    // `listAdjustment` as MGlobal::ListAdjustment: 0 replace, 1 XOR, 2 add, 3 remove,
    // 4 add to head.
    MStatus setActiveSelection(const MSelectionList& list, int listAdjustment = 0);
    // Called after every change of the active selection (the kActiveListModified message).
    void setSelectionChangedCallback(std::function<void()> callback);

    MTime currentTime() const;
    void setCurrentTime(const MTime& time);
    // Called after the current time changed (the "timeChanged" event).
    void setTimeChangedCallback(std::function<void()> callback);
};

}  // namespace mayasim
