// The stylus filters' figures through the whole pointer path (simulated tracker
// at its device rate, tracker poll, filter, mouse emulation, desktop pointer):
// for each filter mode and device rate, the time the pointer needs to cover 90%
// of a stylus jump, and the pointer's jitter at rest under Gaussian tracker
// noise. The figures are counters in the benchmark's output:
//   lag90_ms       mean over poll phases and both directions of a 5 cm jump
//   lag90_1cm_ms   the same for a 1 cm jump
//   jitter_px      standard deviation of the desktop pointer at rest (per axis)
//   jitter_mm      the same for the filtered stylus, in the screen plane
// with 0.5 mm of noise (per axis, seeded) on every tracker sample.
#include "TrackerThread.h"
#include "VcStylusFilter.h"
#include "VexelDeviceNode.h"

#include <benchmark/benchmark.h>

#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxNode.h>

#include <mayasim/NodeTypes.h>
#include <mayasim/Scene.h>
#include <vxhost/Desktop.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <cmath>
#include <string>
#include <utility>

using vexel::common::Matrix4;
using vexel::common::Vector3;

namespace {

constexpr std::uint64_t kPollMicros = 17000;
constexpr double kNoise = 0.0005;
constexpr int kJitterPolls = 1200;
constexpr int kSettlePolls = 120;
constexpr int kMaxLagPolls = 100;

class PollDriver : public TrackerThread {
public:
    PollDriver() { beginPolling(); }
    ~PollDriver() override { endPolling(); }
    void poll() {
        vxhost::HostClock::instance().advance(kPollMicros);
        pollNow();
    }
    void pollNow() {
        pollOnce();
        vxhost::Desktop::instance().deliverInput();
        vxhost::Desktop::instance().takeJournal();
    }
};

//! A stylus aimed head-on at a point of the default display, `offset` metres
//! to the right of the one in front of desktop pixel (700, 540).
Matrix4 stylusAt(double offset) {
    Matrix4 pose;
    vxhost::stylusPoseAtPixel(700, 540, 0.1f, pose);
    const Vector3 right(pose[0][0], pose[1][0], pose[2][0]);
    pose.setTrans(pose.getTrans() + right * static_cast<float>(offset));
    return pose;
}

//! The device node the tracker thread reads its filter settings from.
MObject deviceNode(short mode) {
    if (!mayasim::isNodeTypeRegistered(VexelDeviceNode::kTypeName)) {
        mayasim::registerNodeType(VexelDeviceNode::kTypeName, VexelDeviceNode::id,
                                  &VexelDeviceNode::creator, &VexelDeviceNode::initialize,
                                  MPxNode::kDependNode, nullptr, "bench");
    }
    MObject node;
    mayasim::Scene::instance().createNode(VexelDeviceNode::kTypeName, "device", MObject(), node);
    MPlug(node, VexelDeviceNode::aStylusFilterMode).setValue(mode);
    // Reading an output takes the copies of the settings.
    MPlug(node, VexelDeviceNode::aLeftFocalLength).asDouble();
    // The node started the plug-in's tracker thread; the benchmark polls its own.
    TrackerThread::destroyInstance();
    return node;
}

void holdStill(PollDriver& tracker, const Matrix4& pose, int polls) {
    vxhost::setStylusPose(pose);
    for (int i = 0; i < polls; ++i) {
        tracker.poll();
    }
}

//! Seconds from a jump `phaseMicros` after a poll until the first poll at which
//! the pointer has covered 90% of it.
double lagToNinetyPercent(PollDriver& tracker, const Matrix4& from, const Matrix4& to,
                          std::uint64_t phaseMicros) {
    holdStill(tracker, to, kSettlePolls);
    const LONG target = vxhost::Desktop::instance().cursor().x;
    holdStill(tracker, from, kSettlePolls);
    const LONG start = vxhost::Desktop::instance().cursor().x;

    vxhost::HostClock::instance().advance(phaseMicros);
    vxhost::setStylusPose(to);
    vxhost::HostClock::instance().advance(kPollMicros - phaseMicros);
    double lag = static_cast<double>(kPollMicros - phaseMicros) * 1e-6;
    tracker.pollNow();
    const double needed = 0.9 * std::abs(static_cast<double>(target - start));
    for (int poll = 0; poll < kMaxLagPolls; ++poll) {
        const LONG covered = vxhost::Desktop::instance().cursor().x - start;
        if (std::abs(static_cast<double>(covered)) >= needed) {
            break;
        }
        tracker.poll();
        lag += static_cast<double>(kPollMicros) * 1e-6;
    }
    return lag;
}

double meanLag(PollDriver& tracker, double jump) {
    const Matrix4 near = stylusAt(0.0);
    const Matrix4 far = stylusAt(jump);
    double total = 0.0;
    int count = 0;
    for (std::uint64_t phase = 0; phase < kPollMicros; phase += 1000) {
        total += lagToNinetyPercent(tracker, near, far, phase);
        total += lagToNinetyPercent(tracker, far, near, phase);
        count += 2;
    }
    return total / count;
}

struct Jitter {
    double pixels = 0.0;
    double millimetres = 0.0;
};

Jitter jitterAtRest(PollDriver& tracker) {
    const Matrix4 rest = stylusAt(0.0);
    const Vector3 right(rest[0][0], rest[1][0], rest[2][0]);
    const Vector3 up(rest[0][1], rest[1][1], rest[2][1]);
    vxhost::setDeviceSettings(vxhost::kStylus,
                              {vxhost::deviceSettings(vxhost::kStylus).rate, kNoise, 1});
    holdStill(tracker, rest, kSettlePolls);
    double sum[4] = {};
    double squares[4] = {};
    for (int i = 0; i < kJitterPolls; ++i) {
        tracker.poll();
        const POINT cursor = vxhost::Desktop::instance().cursor();
        Matrix4 pose;
        tracker.getStylusPose(pose);
        const Vector3 offset = pose.getTrans() - rest.getTrans();
        const double values[4] = {static_cast<double>(cursor.x), static_cast<double>(cursor.y),
                                  offset.dotProduct(right) * 1000.0,
                                  offset.dotProduct(up) * 1000.0};
        for (int k = 0; k < 4; ++k) {
            sum[k] += values[k];
            squares[k] += values[k] * values[k];
        }
    }
    double variance[4];
    for (int k = 0; k < 4; ++k) {
        const double mean = sum[k] / kJitterPolls;
        variance[k] = squares[k] / kJitterPolls - mean * mean;
    }
    return {std::sqrt((variance[0] + variance[1]) * 0.5),
            std::sqrt((variance[2] + variance[3]) * 0.5)};
}

void BM_PointerFigures(benchmark::State& state, short mode, double rate) {
    for (auto _ : state) {
        vxhost::resetDisplays();
        vxhost::resetTracker();
        vxhost::Desktop::instance().reset();
        mayasim::Scene::instance().reset();
        vxhost::setDeviceSettings(vxhost::kStylus, {rate, 0.0, 1});
        const MObject node = deviceNode(mode);
        PollDriver tracker;
        state.counters["lag90_ms"] = meanLag(tracker, 0.05) * 1000.0;
        state.counters["lag90_1cm_ms"] = meanLag(tracker, 0.01) * 1000.0;
        const Jitter jitter = jitterAtRest(tracker);
        state.counters["jitter_px"] = jitter.pixels;
        state.counters["jitter_mm"] = jitter.millimetres;
        mayasim::Scene::instance().reset();
    }
}

void registerFigures() {
    for (const double rate : {60.0, 120.0, 240.0, 1000.0}) {
        for (const auto& [name, mode] :
             {std::pair<const char*, short>{"lowPass", VcStylusFilter::kLowPass},
              std::pair<const char*, short>{"oneEuro", VcStylusFilter::kOneEuro}}) {
            const std::string label = std::string("PointerFigures/") + name + "/" +
                                      std::to_string(static_cast<int>(rate)) + "Hz";
            benchmark::RegisterBenchmark(label.c_str(), BM_PointerFigures, mode, rate)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerFigures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TrackerThread::destroyInstance();
    return 0;
}
