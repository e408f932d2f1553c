// The library's stereo frustum. Private to VXStereo.
#pragma once

#include <vexel/stereo/StereoFrustum.h>

namespace vexel {
namespace stereo {
namespace detail {

class StereoViewportImpl;

class StereoFrustumImpl final : public StereoFrustum {
public:
    explicit StereoFrustumImpl(const StereoViewportImpl& viewport) : viewport_(viewport) {}
    ~StereoFrustumImpl() override = default;

    void setHeadPose(const common::Matrix4& headPose, int unit) override;
    common::Matrix4 getHeadPose() const override { return headPose_; }
    void setInterPupillaryDistance(float distance, int unit) override;
    float getInterPupillaryDistance() const override { return ipd_; }
    void setStereoLevel(float level) override;
    float getStereoLevel() const override { return level_; }
    common::Vector3 getEyePosition(int eye) const override;
    common::Matrix4 getViewMatrix(int eye) const override;

private:
    //! The eye in tracker space.
    common::Vector3 eyeInTracker(int eye) const;

    const StereoViewportImpl& viewport_;
    common::Matrix4 headPose_;
    float ipd_ = 0.06f;
    float level_ = 1.0f;
};

}  // namespace detail
}  // namespace stereo
}  // namespace vexel
