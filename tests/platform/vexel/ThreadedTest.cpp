// Reference counts and tracker capture under concurrent use (run under ThreadSanitizer in CI).
#include <vexel/common/ReferenceObject.h>
#include <vexel/tracker/TrackerSystem.h>
#include <vxhost/VexelHost.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace vexel::common;
using namespace vexel::tracker;

namespace {

class Counted final : public ReferenceObject {
public:
    explicit Counted(std::atomic<int>& destroyed) : destroyed_(destroyed) {}

private:
    ~Counted() override { destroyed_.fetch_add(1); }
    std::atomic<int>& destroyed_;
};

constexpr int kThreads = 4;

}  // namespace

TEST(ThreadedReferenceTest, ConcurrentCountsBalanceAndTheLastReleaseDeletesOnce) {
    std::atomic<int> destroyed{0};
    auto* object = new Counted(destroyed);
    for (int i = 0; i < kThreads; ++i) {
        object->addReference();  // one reference per worker, released by the worker
    }
    std::atomic<bool> go{false};
    std::vector<std::thread> workers;
    for (int i = 0; i < kThreads; ++i) {
        workers.emplace_back([object, &go] {
            while (!go) {
                std::this_thread::yield();
            }
            for (int n = 0; n < 20000; ++n) {
                object->addReference();
                object->removeReference();
            }
            object->removeReference();
        });
    }
    go = true;
    object->removeReference();  // the creator's reference goes while workers still run
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(destroyed.load(), 1);
}

TEST(ThreadedTrackerTest, PollingThreadSeesConsistentPosesWhileTheHostWrites) {
    vxhost::resetTracker();
    TrackerSystem* system = TrackerSystem::create();
    TrackerTarget* stylus = system->getDefaultTrackerTarget(kTargetStylus);
    ASSERT_NE(stylus, nullptr);
    stylus->setPoseBufferingEnabled(true);

    std::atomic<bool> stop{false};
    std::atomic<int> outOfOrder{0};
    std::thread poller([&] {
        float last = -1.0f;
        PoseData history[TrackerTarget::kPoseBufferSize];
        while (!stop) {
            system->captureTargets();
            Matrix4 pose;
            if (stylus->getPose(pose)) {
                if (pose.getTrans().x < last) {
                    outOfOrder.fetch_add(1);
                }
                last = pose.getTrans().x;
            }
            const int n = stylus->getPoseBuffer(history, TrackerTarget::kPoseBufferSize);
            for (int i = 1; i < n; ++i) {
                if (history[i].matrix.getTrans().x > history[i - 1].matrix.getTrans().x) {
                    outOfOrder.fetch_add(1);
                }
            }
            stylus->getCapability(kCapabilityButtons)->isButtonPressed(0);
        }
    });
    for (int i = 0; i < 5000; ++i) {
        Matrix4 pose;
        pose.setTrans(Vector3(static_cast<float>(i), 0, 0));
        vxhost::setStylusPose(pose);
        vxhost::setButtons({i % 2 == 0, false});
        if (i % 500 == 0) {
            vxhost::setTargetEnabled(vxhost::kStylus, i % 1000 == 0);
        }
    }
    stop = true;
    poller.join();
    system->removeReference();
    vxhost::resetTracker();
    EXPECT_EQ(outOfOrder.load(), 0);
}
