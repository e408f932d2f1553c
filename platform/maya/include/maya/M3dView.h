#pragma once
// A 3D view (model panel): its window, viewport and camera, and OpenGL drawing in it.

#include <maya/MDagPath.h>
#include <maya/MNativeWindowHdl.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MColor;
class MPoint;
class MVector;

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

    // Pixel coordinates have their origin at the lower-left corner of the view. While the
    // view draws, they go through the camera of the pass (the eye) being drawn.
    bool worldToView(const MPoint& worldPt, short& x_pos, short& y_pos,
                     MStatus* ReturnStatus = NULL) const;
    MStatus viewToWorld(short x_pos, short y_pos, MPoint& worldPt, MVector& worldVector) const;
    MStatus viewToWorld(short x_pos, short y_pos, MPoint& nearClipPt, MPoint& farClipPt) const;

    MStatus beginGL();
    MStatus endGL();
    MStatus refresh(bool all = false, bool force = false);
    MStatus refresh(bool all, bool force, bool offscreen);
    bool multipleDrawEnabled() const;
    DisplayStyle displayStyle(MStatus* ReturnStatus = NULL) const;
    MStatus setDisplayStyle(DisplayStyle style, bool activeOnly = false);

    // Drawing inside a redraw (a manipulator's draw).
    MStatus drawText(const MString& text, const MPoint position, TextPosition textPosition = kLeft);
    MStatus setDrawColor(unsigned int index, ColorTable table = kActiveColors);
    MStatus setDrawColor(const MColor& color);
    MColor colorAtIndex(unsigned int index, ColorTable table = kActiveColors,
                        MStatus* ReturnStatus = NULL);

private:
    int index_ = -1;
};
