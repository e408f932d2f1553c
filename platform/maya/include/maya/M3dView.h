#pragma once
// A 3D view (model panel): its window, viewport and camera, and OpenGL drawing in it.

#include <maya/MDagPath.h>
#include <maya/MNativeWindowHdl.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MColor;
class MPoint;

class M3dView {
public:
    enum DisplayStyle { kBoundingBox, kFlatShaded, kGouraudShaded, kWireFrame, kPoints };
    enum DisplayStatus {
        kActive,
        kLive,
        kDormant,
        kInvisible,
        kHilite,
        kTemplate,
        kActiveTemplate,
        kActiveComponent,
        kLead,
        kIntermediateObject,
        kActiveAffected,
        kNoStatus
    };
    enum ColorTable {
        kActiveColors = kActive,
        kDormantColors = kDormant,
        kTemplateColor = kTemplate,
        kBackgroundColor
    };
    enum TextPosition { kLeft, kCenter, kRight };

    M3dView();
    virtual ~M3dView();

    static M3dView active3dView(MStatus* ReturnStatus = NULL);
    static unsigned int numberOf3dViews();
    static MStatus get3dView(const unsigned int index, M3dView& view);

    MNativeWindowHdl window(MStatus* ReturnStatus = NULL);
    void getScreenPosition(int& x, int& y, MStatus* ReturnStatus = NULL) const;
    MStatus viewport(unsigned int& x, unsigned int& y, unsigned int& width,
                     unsigned int& height) const;
    int portWidth(MStatus* ReturnStatus = NULL);
    int portHeight(MStatus* ReturnStatus = NULL);

    MStatus getCamera(MDagPath& camera);
    MStatus setCamera(MDagPath& camera);

    MStatus beginGL();
    MStatus endGL();
    MStatus refresh(bool all = false, bool force = false);
    MStatus refresh(bool all, bool force, bool offscreen);
    bool multipleDrawEnabled() const;
    DisplayStyle displayStyle(MStatus* ReturnStatus = NULL) const;

private:
    int index_ = -1;
};
