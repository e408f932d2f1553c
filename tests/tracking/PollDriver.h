// Runs the tracker thread's steps on the test's own thread, on virtual time.
#pragma once

#include "TrackerThread.h"

#include <vxhost/HostClock.h>

#include <cstdint>

class PollDriver : public TrackerThread {
public:
    static constexpr std::uint64_t kPollMicros = 17000;

    PollDriver() { beginPolling(); }
    ~PollDriver() override { endPolling(); }

    void poll(int times = 1) {
        for (int i = 0; i < times; ++i) {
            vxhost::HostClock::instance().advance(kPollMicros);
            pollOnce();
        }
    }
    using TrackerThread::noteFocalDistance;
    using TrackerThread::onIdle;
};
