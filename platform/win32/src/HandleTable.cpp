#include "HandleTable.h"

namespace vxwin32 {

HandleTable& HandleTable::instance() {
    static HandleTable* table = new HandleTable;  // outlives detached threads
    return *table;
}

HANDLE HandleTable::add(std::shared_ptr<KernelObject> object) {
    bool existed = false;
    return openOrAdd(
        {}, object->kind(), [&] { return object; }, existed);
}

std::shared_ptr<KernelObject> HandleTable::find(HANDLE handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == handles_.end() ? nullptr : found->second;
}

bool HandleTable::close(HANDLE handle) {
    std::shared_ptr<KernelObject> closing;  // destroyed after the lock is released
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == handles_.end()) {
        return false;
    }
    closing = std::move(found->second);
    handles_.erase(found);
    return true;
}

HANDLE HandleTable::openOrAdd(const std::string& name, KernelObject::Kind kind,
                              const std::function<std::shared_ptr<KernelObject>()>& make,
                              bool& existed) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::shared_ptr<KernelObject> object;
    if (!name.empty()) {
        for (const auto& entry : handles_) {
            if (entry.second->name() == name) {
                object = entry.second;
                break;
            }
        }
    }
    existed = object != nullptr;
    if (existed && object->kind() != kind) {
        return nullptr;
    }
    if (!existed) {
        object = make();
    }
    std::uintptr_t value = next_;
    next_ += 4;
    handles_.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

}  // namespace vxwin32
