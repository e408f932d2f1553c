#include <maya/M3dView.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <maya/MColor.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <mayasim/DrawPass.h>
#include <mayasim/SceneQuery.h>
#include <mayasim/ViewGL.h>
#include <mayasim/Views.h>

#include <algorithm>
#include <cmath>

#include "BitmapFont.h"

namespace views = mayasim::views;
namespace viewgl = mayasim::viewgl;

namespace {

// Maya's factory colour palette. The active and dormant tables hold the same colours
// (Maya keeps them apart only to draw them in different bit planes).
constexpr float kPalette[][3] = {
    {0.471f, 0.471f, 0.471f}, {0.0f, 0.0f, 0.0f},       {0.251f, 0.251f, 0.251f},
    {0.6f, 0.6f, 0.6f},       {0.608f, 0.0f, 0.157f},   {0.0f, 0.016f, 0.376f},
    {0.0f, 0.0f, 1.0f},       {0.0f, 0.275f, 0.098f},   {0.149f, 0.0f, 0.263f},
    {0.784f, 0.0f, 0.784f},   {0.541f, 0.282f, 0.2f},   {0.247f, 0.137f, 0.122f},
    {0.6f, 0.149f, 0.0f},     {1.0f, 0.0f, 0.0f},       {0.0f, 1.0f, 0.0f},
    {0.0f, 0.255f, 0.6f},     {1.0f, 1.0f, 1.0f},       {1.0f, 1.0f, 0.0f},
    {0.392f, 0.863f, 1.0f},   {0.263f, 1.0f, 0.639f},   {1.0f, 0.69f, 0.69f},
    {0.894f, 0.675f, 0.475f}, {1.0f, 1.0f, 0.388f},     {0.0f, 0.6f, 0.329f},
    {0.631f, 0.416f, 0.188f}, {0.62f, 0.631f, 0.188f},  {0.408f, 0.631f, 0.188f},
    {0.188f, 0.631f, 0.365f}, {0.188f, 0.631f, 0.631f}, {0.188f, 0.404f, 0.631f},
    {0.435f, 0.188f, 0.631f}, {0.631f, 0.188f, 0.416f}};
constexpr unsigned int kPaletteSize = sizeof(kPalette) / sizeof(kPalette[0]);
// The template and background tables hold one colour each: Maya's templated wireframe grey
// and its solid background grey.
constexpr float kTemplateGrey[3] = {0.6f, 0.6f, 0.6f};
constexpr float kBackgroundGrey[3] = {0.631f, 0.631f, 0.631f};

void report(MStatus* status, bool ok) {
    if (status)
        *status = ok ? MS::kSuccess : MS::kFailure;
}

RECT rectOf(int index) {
    RECT rect{};
    HWND window = views::window(index);
    if (window)
        GetWindowRect(window, &rect);
    return rect;
}

// The pass drawing view `index` now, if any.
const views::DrawPass* passOf(int index) {
    const views::DrawPass* pass = views::currentDrawPass();
    return pass && pass->view == index ? pass : nullptr;
}

bool colorOf(unsigned int index, M3dView::ColorTable table, MColor& color) {
    const float* rgb = nullptr;
    switch (table) {
        case M3dView::kActiveColors:
        case M3dView::kDormantColors:
            rgb = index < kPaletteSize ? kPalette[index] : nullptr;
            break;
        case M3dView::kTemplateColor:
            rgb = index == 0 ? kTemplateGrey : nullptr;
            break;
        case M3dView::kBackgroundColor:
            rgb = index == 0 ? kBackgroundGrey : nullptr;
            break;
    }
    if (!rgb)
        return false;
    color = MColor(rgb[0], rgb[1], rgb[2], 1.0f);
    return true;
}

// World space to clip space through a camera, for a view of the given size.
struct Projection {
    MMatrix worldToClip;
    int width = 0;
    int height = 0;
};

bool projectionThrough(const MDagPath& camera, int width, int height, Projection& out) {
    mayasim::CameraView view;
    if (width <= 0 || height <= 0 ||
        !mayasim::cameraView(camera, double(width) / double(height), view)) {
        return false;
    }
    out.worldToClip = view.worldToCamera * view.projection;
    out.width = width;
    out.height = height;
    return true;
}

// Window coordinates (pixels from the lower-left corner, depth 0..1) of a world point;
// false when it lies behind the camera.
bool toWindow(const Projection& projection, const MPoint& world, double& x, double& y,
              double& depth) {
    const MPoint clip = MPoint(world.x, world.y, world.z) * projection.worldToClip;
    if (clip.w <= 0.0)
        return false;
    x = (clip.x / clip.w + 1.0) * 0.5 * projection.width;
    y = (clip.y / clip.w + 1.0) * 0.5 * projection.height;
    depth = (clip.z / clip.w + 1.0) * 0.5;
    return true;
}

// The projection of view `index`: the running pass's camera and size while it draws, else
// its own camera and size.
bool projectionOf(int index, Projection& projection) {
    if (const views::DrawPass* pass = passOf(index))
        return projectionThrough(pass->camera, pass->width, pass->height, projection);
    const RECT rect = rectOf(index);
    return views::window(index) && projectionThrough(views::camera(index), rect.right - rect.left,
                                                     rect.bottom - rect.top, projection);
}

short toShort(double value) {
    return static_cast<short>(std::clamp(std::lround(value), -32768L, 32767L));
}

}  // namespace

M3dView::M3dView() = default;
M3dView::~M3dView() = default;

M3dView M3dView::active3dView(MStatus* ReturnStatus) {
    M3dView view;
    view.index_ = views::activeIndex();
    report(ReturnStatus, view.index_ >= 0);
    return view;
}

unsigned int M3dView::numberOf3dViews() {
    return views::count();
}

MStatus M3dView::get3dView(const unsigned int index, M3dView& view) {
    if (index >= views::count())
        return MS::kInvalidParameter;
    view.index_ = static_cast<int>(index);
    return MS::kSuccess;
}

MNativeWindowHdl M3dView::window(MStatus* ReturnStatus) {
    HWND handle = views::window(index_);
    report(ReturnStatus, handle != nullptr);
    return handle;
}

void M3dView::getScreenPosition(int& x, int& y, MStatus* ReturnStatus) const {
    const RECT rect = rectOf(index_);
    x = rect.left;
    y = rect.top;
    report(ReturnStatus, views::window(index_) != nullptr);
}

MStatus M3dView::viewport(unsigned int& x, unsigned int& y, unsigned int& width,
                          unsigned int& height) const {
    x = 0;
    y = 0;
    if (const views::DrawPass* pass = passOf(index_)) {
        width = static_cast<unsigned int>(pass->width);
        height = static_cast<unsigned int>(pass->height);
        return MS::kSuccess;
    }
    if (!views::window(index_))
        return MS::kFailure;
    const RECT rect = rectOf(index_);
    width = static_cast<unsigned int>(rect.right - rect.left);
    height = static_cast<unsigned int>(rect.bottom - rect.top);
    return MS::kSuccess;
}

int M3dView::portWidth(MStatus* ReturnStatus) {
    unsigned int x = 0, y = 0, width = 0, height = 0;
    report(ReturnStatus, viewport(x, y, width, height));
    return static_cast<int>(width);
}

int M3dView::portHeight(MStatus* ReturnStatus) {
    unsigned int x = 0, y = 0, width = 0, height = 0;
    report(ReturnStatus, viewport(x, y, width, height));
    return static_cast<int>(height);
}

MStatus M3dView::getCamera(MDagPath& camera) {
    const views::DrawPass* pass = passOf(index_);
    if (pass && index_ < 0) {
        camera = pass->camera;
        return MS::kSuccess;
    }
    if (!views::window(index_))
        return MS::kFailure;
    // An empty path is the world, not a camera: the host has not set one.
    camera = views::camera(index_);
    return camera.length() > 0 && camera.isValid() ? MStatus(MS::kSuccess) : MStatus(MS::kFailure);
}

MStatus M3dView::setCamera(MDagPath& camera) {
    if (!views::window(index_) || camera.length() == 0 || !camera.isValid())
        return MS::kFailure;
    views::setCamera(index_, camera);
    return MS::kSuccess;
}

bool M3dView::worldToView(const MPoint& worldPt, short& x_pos, short& y_pos,
                          MStatus* ReturnStatus) const {
    Projection projection;
    const bool known = projectionOf(index_, projection);
    report(ReturnStatus, known);
    double x = 0.0, y = 0.0, depth = 0.0;
    if (!known || !toWindow(projection, worldPt, x, y, depth))
        return false;
    // Rounded to the nearest pixel, so that viewToWorld of the result comes back to it.
    x_pos = toShort(x);
    y_pos = toShort(y);
    return x >= 0.0 && x <= projection.width && y >= 0.0 && y <= projection.height &&
           depth >= 0.0 && depth <= 1.0;
}

MStatus M3dView::viewToWorld(short x_pos, short y_pos, MPoint& worldPt,
                             MVector& worldVector) const {
    MPoint farPt;
    const MStatus status = viewToWorld(x_pos, y_pos, worldPt, farPt);
    if (status)
        worldVector = (farPt - worldPt).normal();
    return status;
}

MStatus M3dView::viewToWorld(short x_pos, short y_pos, MPoint& nearClipPt,
                             MPoint& farClipPt) const {
    Projection projection;
    if (!projectionOf(index_, projection))
        return MS::kFailure;
    const MMatrix clipToWorld = projection.worldToClip.inverse();
    const double x = 2.0 * x_pos / projection.width - 1.0;
    const double y = 2.0 * y_pos / projection.height - 1.0;
    nearClipPt = MPoint(x, y, -1.0) * clipToWorld;
    farClipPt = MPoint(x, y, 1.0) * clipToWorld;
    nearClipPt.cartesianize();
    farClipPt.cartesianize();
    return MS::kSuccess;
}

MStatus M3dView::beginGL() {
    // Outside a redraw this makes the views' context current, so textures made now are
    // there when the view next draws.
    if (!viewgl::isCurrent())
        viewgl::makeCurrent();
    return passOf(index_) || views::window(index_) ? MS::kSuccess : MS::kFailure;
}

MStatus M3dView::endGL() {
    return passOf(index_) || views::window(index_) ? MS::kSuccess : MS::kFailure;
}

MStatus M3dView::refresh(bool all, bool force) {
    return refresh(all, force, false);
}

MStatus M3dView::refresh(bool, bool, bool) {
    if (!views::window(index_))
        return MS::kFailure;
    views::requestRefresh();
    return MS::kSuccess;
}

bool M3dView::multipleDrawEnabled() const {
    const views::DrawPass* pass = passOf(index_);
    return pass && pass->passCount > 1;
}

M3dView::DisplayStyle M3dView::displayStyle(MStatus* ReturnStatus) const {
    if (const views::DrawPass* pass = passOf(index_)) {
        report(ReturnStatus, true);
        return pass->style;
    }
    report(ReturnStatus, views::window(index_) != nullptr);
    return views::displayStyle(index_);
}

MStatus M3dView::setDisplayStyle(DisplayStyle style, bool activeOnly) {
    if (!views::window(index_))
        return MS::kFailure;
    if (style < kBoundingBox || style > kPoints)
        return MS::kInvalidParameter;
    // Shading only the selection is not offered: the whole view takes one style.
    if (activeOnly)
        return MS::kNotImplemented;
    views::setDisplayStyle(index_, style);
    views::requestRefresh();
    return MS::kSuccess;
}

MStatus M3dView::drawText(const MString& text, const MPoint position, TextPosition textPosition) {
    Projection projection;
    if (!passOf(index_) || !viewgl::isCurrent() || !projectionOf(index_, projection))
        return MS::kFailure;
    double x = 0.0, y = 0.0, depth = 0.0;
    if (!toWindow(projection, position, x, y, depth) || depth < 0.0 || depth > 1.0)
        return MS::kSuccess;  // clipped: nothing shows, as in Maya
    const std::string label = text.asChar();
    const int width = mayasim::font::textWidth(label);
    if (textPosition == kCenter) {
        x -= width / 2;
    } else if (textPosition == kRight) {
        x -= width;
    }
    // The position is a world point whatever the current modelview; labels show over the
    // scene, unlit and untextured, in the current colour.
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glWindowPos2d(std::floor(x), std::floor(y));
    mayasim::font::drawBitmapText(label);
    glPopAttrib();
    return MS::kSuccess;
}

MStatus M3dView::setDrawColor(unsigned int index, ColorTable table) {
    MColor color;
    if (!colorOf(index, table, color))
        return MS::kInvalidParameter;
    return setDrawColor(color);
}

MStatus M3dView::setDrawColor(const MColor& color) {
    if (viewgl::isCurrent())
        glColor4f(color.r, color.g, color.b, color.a);
    return MS::kSuccess;
}

MColor M3dView::colorAtIndex(unsigned int index, ColorTable table, MStatus* ReturnStatus) {
    MColor color;
    const bool known = colorOf(index, table, color);
    if (ReturnStatus)
        *ReturnStatus = known ? MS::kSuccess : MS::kInvalidParameter;
    return color;
}
