#include "vxhost/DebugOutput.h"

#include <cstdio>

namespace vxhost {

DebugOutput& DebugOutput::instance() {
    static DebugOutput* output = new DebugOutput;  // outlives detached threads
    return *output;
}

void DebugOutput::write(const char* text) {
    if (text == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ += text;
    if (echo_) {
        std::fputs(text, stderr);
    }
}

std::string DebugOutput::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string taken;
    taken.swap(pending_);
    return taken;
}

std::vector<std::string> DebugOutput::takeLines() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = pending_.find('\n'); end != std::string::npos;
         end = pending_.find('\n', start)) {
        lines.push_back(pending_.substr(start, end - start));
        start = end + 1;
    }
    pending_.erase(0, start);
    return lines;
}

void DebugOutput::setEcho(bool echo) {
    std::lock_guard<std::mutex> lock(mutex_);
    echo_ = echo;
}

}  // namespace vxhost
