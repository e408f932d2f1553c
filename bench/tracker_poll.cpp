// CPU time of one tracker poll with head and stylus tracked, the stylus moving
// and filtered, and mouse emulation on; and the heap allocations the poll
// makes, which must be none.
#include "TrackerThread.h"

#include <benchmark/benchmark.h>

#include <vxhost/Desktop.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> gAllocations{0};
thread_local bool gCounting = false;

void* countedAllocation(std::size_t size) {
    if (gCounting) {
        gAllocations.fetch_add(1, std::memory_order_relaxed);
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

class PollDriver : public TrackerThread {
public:
    PollDriver() { beginPolling(); }
    ~PollDriver() override { endPolling(); }
    void poll() { pollOnce(); }
};

void BM_TrackerPoll(benchmark::State& state) {
    vxhost::resetDisplays();
    vxhost::resetTracker();
    vxhost::Desktop::instance().reset();
    vexel::common::Matrix4 stylus[2];
    vxhost::stylusPoseAtPixel(800, 500, 0.1f, stylus[0]);
    vxhost::stylusPoseAtPixel(1100, 600, 0.1f, stylus[1]);
    const vexel::common::Matrix4 head[2] = {
        vexel::common::Matrix4(1, 0, 0, 0.01f, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
        vexel::common::Matrix4(1, 0, 0, -0.01f, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)};

    PollDriver tracker;
    auto feed = [&](long poll) {
        const int phase = static_cast<int>(poll & 1);
        vxhost::setHeadPose(head[phase]);
        vxhost::setStylusPose(stylus[phase]);
        vxhost::HostClock::instance().advance(17000);
    };
    // Lets one-time set-up in the libraries happen before anything is counted.
    for (long poll = 0; poll < 100; ++poll) {
        feed(poll);
        tracker.poll();
    }

    long polls = 0;
    long allocations = 0;
    for (auto _ : state) {
        feed(polls);

        const long before = gAllocations.load(std::memory_order_relaxed);
        gCounting = true;
        tracker.poll();
        gCounting = false;
        allocations += gAllocations.load(std::memory_order_relaxed) - before;
        ++polls;

        if ((polls & 1023) == 0) {
            // The desktop keeps the injected events until the host delivers them.
            state.PauseTiming();
            vxhost::Desktop::instance().deliverInput();
            vxhost::Desktop::instance().takeJournal();
            state.ResumeTiming();
        }
    }
    state.counters["allocations_per_poll"] =
        benchmark::Counter(polls > 0 ? static_cast<double>(allocations) / polls : 0.0);
}
BENCHMARK(BM_TrackerPoll);

}  // namespace

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

BENCHMARK_MAIN();
