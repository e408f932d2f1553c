#include "DrawCallbacks.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vxsim::render {

namespace {

struct Registered {
    unsigned int id;
    DrawCallback callback;
};

std::vector<Registered>& registry() {
    static std::vector<Registered> callbacks;
    return callbacks;
}

unsigned int nextId = 1;

}  // namespace

unsigned int addDrawCallback(DrawCallback callback) {
    const unsigned int id = nextId++;
    registry().push_back({id, std::move(callback)});
    return id;
}

void removeDrawCallback(unsigned int id) {
    auto& callbacks = registry();
    callbacks.erase(std::remove_if(callbacks.begin(), callbacks.end(),
                                   [id](const Registered& r) { return r.id == id; }),
                    callbacks.end());
}

void runDrawCallbacks(const DrawPass& pass) {
    const std::vector<Registered> snapshot = registry();
    for (const Registered& entry : snapshot)
        entry.callback(pass);
}

}  // namespace vxsim::render
