#pragma once
// Base class of manipulator containers: nodes a tool context creates and adds to the view,
// drawn after the scene through draw().

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>

class MPxManipContainer : public MPxNode {
public:
    enum baseType {
        kFreePointTriadManip,
        kDirectionManip,
        kDistanceManip,
        kPointOnCurveManip,
        kPointOnSurfaceManip,
        kDiscManip,
        kCircleSweepManip,
        kToggleManip,
        kStateManip,
        kCurveSegmentManip,
        kCustomManip
    };

    MPxManipContainer();
    ~MPxManipContainer() override;
    MPxNode::Type type() const override;

    static MStatus initialize();
    // Creates a manipulator node of a registered manipulator type; `manipObject` receives it.
    static MPxManipContainer* newManipulator(const MString& manipName, MObject& manipObject,
                                             MStatus* ReturnStatus = NULL);

    virtual MStatus createChildren();
    virtual MStatus connectToDependNode(const MObject& dependNode);
    virtual void draw(M3dView& view, const MDagPath& path, M3dView::DisplayStyle style,
                      M3dView::DisplayStatus status);
    virtual MStatus doPress();
    virtual MStatus doDrag();
    virtual MStatus doRelease();
    MStatus finishAddingManips();

    static MStatus addToManipConnectTable(MTypeId& typeId);
    static MStatus removeFromManipConnectTable(MTypeId& typeId);
};
