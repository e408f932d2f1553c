#include <maya/MCallbackIdArray.h>
#include <maya/MEventMessage.h>
#include <maya/MMessage.h>
#include <maya/MModelMessage.h>
#include <maya/MSceneMessage.h>
#include <maya/MStringArray.h>

#include <mayasim/Messages.h>

#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

enum class Kind { kEvent, kScene, kModel };

struct Callback {
    Kind kind;
    std::string event;
    int message = 0;
    MMessage::MBasicFunction function = nullptr;
    void* clientData = nullptr;
};

// Ordered by id, so callbacks run in the order they were added.
struct Registry {
    std::map<MCallbackId, Callback> callbacks;
    MCallbackId nextId = 1;
    std::vector<MCallbackId> running;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

const std::set<std::string>& knownEvents() {
    static const std::set<std::string> names = {"idle",
                                                "idleHigh",
                                                "SelectionChanged",
                                                "timeChanged",
                                                "ToolChanged",
                                                "PostToolChanged",
                                                "SceneOpened",
                                                "NewSceneOpened",
                                                "SceneSaved",
                                                "playbackRangeChanged",
                                                "modelEditorChanged",
                                                "DagObjectCreated",
                                                "Undo",
                                                "Redo",
                                                "deleteAll",
                                                "quitApplication"};
    return names;
}

MCallbackId add(Callback callback, MStatus* status) {
    if (!callback.function) {
        if (status)
            *status = MS::kInvalidParameter;
        return 0;
    }
    Registry& r = registry();
    const MCallbackId id = r.nextId++;
    r.callbacks.emplace(id, std::move(callback));
    if (status)
        *status = MS::kSuccess;
    return id;
}

// Callbacks may add or remove callbacks while they run: walk a snapshot of the ids and skip
// those removed meanwhile.
template <typename Match>
void fire(Match matches) {
    Registry& r = registry();
    std::vector<MCallbackId> ids;
    for (const auto& [id, callback] : r.callbacks) {
        if (matches(callback))
            ids.push_back(id);
    }
    for (MCallbackId id : ids) {
        auto it = r.callbacks.find(id);
        if (it == r.callbacks.end())
            continue;
        const Callback callback = it->second;
        r.running.push_back(id);
        callback.function(callback.clientData);
        r.running.pop_back();
    }
}

}  // namespace

MStatus MMessage::removeCallback(MCallbackId id) {
    return registry().callbacks.erase(id) ? MS::kSuccess : MS::kInvalidParameter;
}

MStatus MMessage::removeCallbacks(MCallbackIdArray& ids) {
    MStatus status;
    for (unsigned int i = 0; i < ids.length(); ++i) {
        if (!removeCallback(ids[i]))
            status = MS::kInvalidParameter;
    }
    return status;
}

MCallbackId MMessage::currentCallbackId(MStatus* ReturnStatus) {
    const auto& running = registry().running;
    if (ReturnStatus)
        *ReturnStatus = running.empty() ? MS::kFailure : MS::kSuccess;
    return running.empty() ? 0 : running.back();
}

MStatus MMessage::nodeCallbacks(MObject&, MCallbackIdArray& ids) {
    ids.clear();
    return MS::kSuccess;
}

MCallbackId MEventMessage::addEventCallback(const MString& event, MMessage::MBasicFunction func,
                                            void* clientData, MStatus* ReturnStatus) {
    if (event.length() == 0) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return 0;
    }
    return add({Kind::kEvent, event.asChar(), 0, func, clientData}, ReturnStatus);
}

MStatus MEventMessage::getEventNames(MStringArray& names) {
    names.clear();
    for (const auto& name : knownEvents())
        names.append(MString(name.c_str()));
    return MS::kSuccess;
}

MCallbackId MSceneMessage::addCallback(Message message, MMessage::MBasicFunction func,
                                       void* clientData, MStatus* ReturnStatus) {
    if (message < kSceneUpdate || message >= kLast) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return 0;
    }
    return add({Kind::kScene, "", message, func, clientData}, ReturnStatus);
}

MCallbackId MModelMessage::addCallback(Message message, MMessage::MBasicFunction func,
                                       void* clientData, MStatus* ReturnStatus) {
    if (message != kActiveListModified) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return 0;
    }
    return add({Kind::kModel, "", message, func, clientData}, ReturnStatus);
}

namespace mayasim::messages {

void fireEvent(const std::string& name) {
    fire([&](const Callback& c) { return c.kind == Kind::kEvent && c.event == name; });
}

void fireSceneMessage(int message) {
    fire([&](const Callback& c) { return c.kind == Kind::kScene && c.message == message; });
}

void fireModelMessage(int message) {
    fire([&](const Callback& c) { return c.kind == Kind::kModel && c.message == message; });
}

size_t callbackCount() {
    return registry().callbacks.size();
}

size_t callbacksInModuleOf(const void* address) {
    Dl_info module{};
    if (!dladdr(address, &module))
        return 0;
    size_t count = 0;
    for (const auto& [id, callback] : registry().callbacks) {
        Dl_info info{};
        if (dladdr(reinterpret_cast<const void*>(callback.function), &info) &&
            info.dli_fbase == module.dli_fbase) {
            ++count;
        }
    }
    return count;
}

}  // namespace mayasim::messages
