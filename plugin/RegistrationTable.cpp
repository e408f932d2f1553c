#include "RegistrationTable.h"

#include <maya/MPxManipContainer.h>

#include "ConfigurationCmd.h"
#include "FixZoomCmd.h"
#include "StereoFocusCmd.h"
#include "VexelDeviceNode.h"

namespace {
using Kind = Registration::Kind;
}  // namespace

MStatus initializeManipContainer() {
    return MPxManipContainer::initialize();
}

const std::vector<Registration>& registrationTable() {
    static const std::vector<Registration> rows = {
        {Kind::kDependNode, VexelDeviceNode::kTypeName, VexelDeviceNode::id.id(),
         &VexelDeviceNode::creator, &VexelDeviceNode::initialize, nullptr, nullptr, nullptr,
         "registerNode vexelDevice failed"},
        {Kind::kCommand, StereoFocusCmd::kName, 0, &StereoFocusCmd::creator, nullptr,
         &StereoFocusCmd::newSyntax, nullptr, nullptr, "vexelStereoFocus"},
        {Kind::kCommand, FixZoomCmd::kName, 0, &FixZoomCmd::creator, nullptr, nullptr, nullptr,
         nullptr, "vexelStereoFixZoom"},
        {Kind::kCommand, ConfigurationCmd::kName, 0, &ConfigurationCmd::creator, nullptr,
         &ConfigurationCmd::newSyntax, nullptr, nullptr,
         "Failed to register command vexelConfigurationCmd."},
    };
    return rows;
}

const std::vector<Deregistration>& deviceNodeDeregistration() {
    static const std::vector<Deregistration> rows = {
        {Kind::kDependNode, VexelDeviceNode::kTypeName, VexelDeviceNode::id.id(),
         "deregisterNode vexelDevice failed"},
    };
    return rows;
}

const std::vector<Deregistration>& toolDeregistration() {
    static const std::vector<Deregistration> rows = {};
    return rows;
}

const std::vector<Deregistration>& commandDeregistration() {
    static const std::vector<Deregistration> rows = {
        {Kind::kCommand, StereoFocusCmd::kName, 0, "Fail to deregister vexelStereoFocus"},
        {Kind::kCommand, FixZoomCmd::kName, 0, "Fail to deregister vexelStereoFixZoom"},
        {Kind::kCommand, ConfigurationCmd::kName, 0,
         "Failed to deregister command vexelConfigurationCmd."},
    };
    return rows;
}
