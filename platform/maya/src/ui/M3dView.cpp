#include <maya/M3dView.h>

#include <mayasim/Views.h>

namespace views = mayasim::views;

namespace {

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
    if (!views::window(index_))
        return MS::kFailure;
    const RECT rect = rectOf(index_);
    x = 0;
    y = 0;
    width = static_cast<unsigned int>(rect.right - rect.left);
    height = static_cast<unsigned int>(rect.bottom - rect.top);
    return MS::kSuccess;
}

int M3dView::portWidth(MStatus* ReturnStatus) {
    report(ReturnStatus, views::window(index_) != nullptr);
    const RECT rect = rectOf(index_);
    return rect.right - rect.left;
}

int M3dView::portHeight(MStatus* ReturnStatus) {
    report(ReturnStatus, views::window(index_) != nullptr);
    const RECT rect = rectOf(index_);
    return rect.bottom - rect.top;
}

MStatus M3dView::getCamera(MDagPath& camera) {
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

MStatus M3dView::beginGL() {
    return views::window(index_) ? MS::kSuccess : MS::kFailure;
}
MStatus M3dView::endGL() {
    return views::window(index_) ? MS::kSuccess : MS::kFailure;
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
    return false;
}

M3dView::DisplayStyle M3dView::displayStyle(MStatus* ReturnStatus) const {
    report(ReturnStatus, views::window(index_) != nullptr);
    return views::displayStyle(index_);
}
