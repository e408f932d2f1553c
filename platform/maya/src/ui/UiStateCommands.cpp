// Maya's runtime commands for the editors around the view and the view's shading:
// ToggleAttributeEditor, ToggleChannelsLayers, ToggleToolSettings, DisplayShaded and
// DisplayWireframe. Like Maya's, they change the user interface only, so they do not undo.
#include <mayasim/UiState.h>

#include <maya/M3dView.h>

#include <mayasim/Views.h>

#include "openmaya/BuiltinCommands.h"
#include "openmaya/CommandTable.h"

namespace mayasim::ui {
namespace {

Panels& state() {
    static Panels current;
    return current;
}

MStatus toggleAttributeEditor(CommandCall&) {
    state().attributeEditor = !state().attributeEditor;
    return MStatus::kSuccess;
}

MStatus toggleChannelsLayers(CommandCall&) {
    state().channelBoxLayerEditor = !state().channelBoxLayerEditor;
    return MStatus::kSuccess;
}

MStatus toggleToolSettings(CommandCall&) {
    state().toolSettings = !state().toolSettings;
    return MStatus::kSuccess;
}

// As Maya's, these act on the panel with focus: the active view.
MStatus setActiveViewStyle(M3dView::DisplayStyle style) {
    const int view = views::activeIndex();
    if (view < 0)
        return MStatus::kSuccess;
    views::setDisplayStyle(view, style);
    views::requestRefresh();
    return MStatus::kSuccess;
}

MStatus displayShaded(CommandCall&) {
    return setActiveViewStyle(M3dView::kGouraudShaded);
}

MStatus displayWireframe(CommandCall&) {
    return setActiveViewStyle(M3dView::kWireFrame);
}

}  // namespace

const Panels& panels() {
    return state();
}

void resetPanels() {
    state() = Panels();
}

}  // namespace mayasim::ui

namespace mayasim {

void registerUiStateCommands(CommandEngine& engine) {
    static const CommandSpec kSpecs[] = {
        {"ToggleAttributeEditor", {}, {}, ui::toggleAttributeEditor},
        {"ToggleChannelsLayers", {}, {}, ui::toggleChannelsLayers},
        {"ToggleToolSettings", {}, {}, ui::toggleToolSettings},
        {"DisplayShaded", {}, {}, ui::displayShaded},
        {"DisplayWireframe", {}, {}, ui::displayWireframe},
    };
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
