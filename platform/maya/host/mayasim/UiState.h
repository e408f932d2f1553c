#pragma once
// The parts of Maya's window that the tool menu toggles, as a session can see them.

namespace mayasim::ui {

// Maya's default layout: the Channel Box / Layer Editor shown, the Attribute Editor and the
// Tool Settings closed.
struct Panels {
    bool attributeEditor = false;
    bool channelBoxLayerEditor = true;
    bool toolSettings = false;
};

const Panels& panels();
// Back to the default layout (a fresh session).
void resetPanels();

}  // namespace mayasim::ui
