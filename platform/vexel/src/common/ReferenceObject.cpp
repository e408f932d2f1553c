#include <vexel/common/ReferenceObject.h>

#include <mutex>

namespace vexel {
namespace common {

ReferenceObject::ReferenceObject() : referenceCount_(1) {}

ReferenceObject::~ReferenceObject() = default;

void ReferenceObject::addReference() {
    std::lock_guard<Mutex> guard(*this);
    ++referenceCount_;
}

int ReferenceObject::removeReference() {
    int remaining = 0;
    {
        std::lock_guard<Mutex> guard(*this);
        remaining = --referenceCount_;
    }
    // The lock lives inside the object, so it must be released before deleting.
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

int ReferenceObject::getReferenceCount() const {
    // Locking does not change the object's value, only who may touch it.
    auto& self = const_cast<ReferenceObject&>(*this);
    std::lock_guard<Mutex> guard(self);
    return referenceCount_;
}

}  // namespace common
}  // namespace vexel
