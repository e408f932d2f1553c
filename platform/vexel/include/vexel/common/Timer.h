// Elapsed-time measurement on the system clock.
#pragma once

#include <vexel/common/Export.h>

namespace vexel {
namespace common {

//! A stopwatch. It reads the same clock that stamps tracker poses (see
//! PoseData), so timer readings and pose times can be compared after taking
//! one reference reading.
class VXCOMMON_API Timer {
public:
    //! A stopped timer reading 0.
    Timer() = default;

    //! Starts counting from now; no effect if the timer already runs.
    void start();
    //! Starts counting again from zero, now.
    void restart();
    bool isRunning() const { return running_; }
    //! Seconds since start() / restart(); 0 while never started.
    double getElapsedSeconds() const;

    //! The clock's current reading in seconds: the time base of pose stamps.
    static double now();

private:
    double startSeconds_ = 0.0;
    bool running_ = false;
};

}  // namespace common
}  // namespace vexel
