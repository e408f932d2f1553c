// The command strings by which the plug-in reaches its companion Python modules.
// The creation procedure is handed to Maya inside a quoted string, hence its
// escaped inner quotes; the deletion procedure is run as it stands.
#pragma once

namespace companion {
constexpr const char* kAddUI = "python \\\"import vexelUI; vexelUI.addUI()\\\"";
constexpr const char* kRemoveUI = "python \"vexelUI.removeUI()\"";
constexpr const char* kAddRigType =
    "stereoRigManager -add \"vexelCamera\" \"Python\" \"vexelCameraRig.createRig\";";
constexpr const char* kDeleteRigType = "stereoRigManager -delete \"vexelCamera\";";
constexpr const char* kSetToolToSelect = "python \"vexelUtils.setToolToSelectToolContext()\"";
constexpr const char* kSetToolToMove = "python \"vexelUtils.setToolToMoveToolContext()\"";
constexpr const char* kSetToolToRotate = "python \"vexelUtils.setToolToRotateToolContext()\"";
constexpr const char* kSetToolToScale = "python \"vexelUtils.setToolToScaleToolContext()\"";
constexpr const char* kSetToolToJoint = "python \"vexelUtils.setToolToJointToolContext()\"";
constexpr const char* kSetToolToTransform = "python \"vexelUtils.setToolToTransformToolContext()\"";
}  // namespace companion
