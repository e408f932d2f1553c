#include "PluginEnvironment.h"

#include <gtest/gtest.h>

namespace {

const MString kModule("/opt/maya/plug-ins/VXMayaPlugin.mll");

TEST(PluginEnvironment, MakerLibrariesGoFirstOnPath) {
    EXPECT_STREQ(makerLibrariesPathAssignment(kModule, nullptr).asChar(),
                 "PATH=/opt/maya/plug-ins/VXMayaPlugin.mll/../../../Bin;");
    EXPECT_STREQ(makerLibrariesPathAssignment(kModule, "").asChar(),
                 "PATH=/opt/maya/plug-ins/VXMayaPlugin.mll/../../../Bin;");
    EXPECT_STREQ(makerLibrariesPathAssignment(kModule, "/usr/bin;/bin").asChar(),
                 "PATH=/opt/maya/plug-ins/VXMayaPlugin.mll/../../../Bin;/usr/bin;/bin");
    // A failed module look-up leaves an empty path; the assignment is still well formed.
    EXPECT_STREQ(makerLibrariesPathAssignment(MString(), nullptr).asChar(), "PATH=/../../../Bin;");
}

TEST(PluginEnvironment, IconDirectoryKeepsTheFileName) {
    EXPECT_STREQ(iconDirectoryFor(kModule).asChar(),
                 "/opt/maya/plug-ins/VXMayaPlugin.mll/../../icons/");
}

TEST(PluginEnvironment, ModuleDirectoryCutsAtTheLastSlashOnly) {
    EXPECT_STREQ(moduleDirectory(kModule).asChar(), "/opt/maya/plug-ins");
    EXPECT_STREQ(moduleDirectory("VXMayaPlugin.mll").asChar(), "VXMayaPlugin.mll");
    // A slash at index 0 is not cut: the root would otherwise vanish.
    EXPECT_STREQ(moduleDirectory("/VXMayaPlugin.mll").asChar(), "/VXMayaPlugin.mll");
}

TEST(PluginEnvironment, StereoCameraCopyBesideThePluginWins) {
    EXPECT_STREQ(stereoCameraLoadCommand("/opt/maya/plug-ins").asChar(),
                 "if (`file -q -ex \"/opt/maya/plug-ins/stereoCamera.mll\"`) { loadPlugin -quiet "
                 "\"/opt/maya/plug-ins/stereoCamera\"; } else { loadPlugin -quiet "
                 "\"stereoCamera\"; }");
}

}  // namespace
