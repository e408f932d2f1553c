#include <vexel/tracker/TrackerSystem.h>

#include "tracker/HostTracker.h"
#include "tracker/TrackerTargetImpl.h"

#include <memory>

namespace vexel {
namespace tracker {

namespace {

class TrackerSystemImpl final : public TrackerSystem {
public:
    TrackerSystemImpl()
        : targets_{std::make_unique<detail::TrackerTargetImpl>(kTargetHead),
                   std::make_unique<detail::TrackerTargetImpl>(kTargetStylus)} {}

    TrackerTarget* getDefaultTrackerTarget(int type) override {
        if (type != kTargetHead && type != kTargetStylus) {
            return nullptr;
        }
        if (!detail::HostTracker::instance().isPresent(type)) {
            return nullptr;
        }
        return targets_[type].get();
    }

    void captureTargets() override {
        for (auto& target : targets_) {
            target->capture();
        }
    }

private:
    ~TrackerSystemImpl() override = default;

    std::unique_ptr<detail::TrackerTargetImpl> targets_[detail::kTargetTypes];
};

}  // namespace

TrackerSystem* TrackerSystem::create() {
    return new TrackerSystemImpl();
}

}  // namespace tracker
}  // namespace vexel
