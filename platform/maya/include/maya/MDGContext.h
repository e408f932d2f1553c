#pragma once
// The context a plug is evaluated in. The stand-in evaluates at the current time only.

#include <maya/MTime.h>

class MDGContext {
public:
    MDGContext() = default;
    explicit MDGContext(const MTime& when) : time_(when), normal_(false) {}
    bool isNormal() const { return normal_; }
    MTime getTime() const { return time_; }

    static MDGContext fsNormal;

private:
    MTime time_;
    bool normal_ = true;
};
