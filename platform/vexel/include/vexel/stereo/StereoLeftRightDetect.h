// Synchronisation of the glasses' shutters with the window's left and right images.
#pragma once

#include <vexel/common/Export.h>

namespace vexel {
namespace stereo {

class StereoWindow;

//! Keeps the glasses showing each eye the image meant for it. This system's
//! glasses synchronise by themselves, so the calls only record whether
//! detection is set up; they are kept so that applications written for
//! displays that need it run unchanged. Call update() once per frame.
class VXSTEREO_API StereoLeftRightDetect {
public:
    //! Sets detection up for `window` (not retained). `mode` 0 is the default
    //! method; `platformContext` is a native drawing context or null.
    //! Returns false for a null window.
    static bool initialize(StereoWindow* window, int mode, void* platformContext);
    static void update();
    static void shutdown();
    static bool isInitialized();

    StereoLeftRightDetect() = delete;
};

}  // namespace stereo
}  // namespace vexel
