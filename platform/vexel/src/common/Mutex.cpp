#include <vexel/common/Mutex.h>

namespace vexel {
namespace common {

void Mutex::lock() {
    mutex_.lock();
}

bool Mutex::tryLock() {
    return mutex_.try_lock();
}

void Mutex::unlock() {
    mutex_.unlock();
}

}  // namespace common
}  // namespace vexel
