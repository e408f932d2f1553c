#pragma once
// Host access to the private state of events, contexts and context commands.

#include <maya/MEvent.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>

namespace mayasim {

struct EventAccess {
    static void set(MEvent& event, short x, short y, MEvent::MouseButtonType button,
                    int modifiers) {
        event.x_ = x;
        event.y_ = y;
        event.windowX_ = x;
        event.windowY_ = y;
        event.button_ = button;
        event.modifiers_ = modifiers;
    }
};

struct ContextAccess {
    static void setName(MPxContext& context, const MString& name) { context.name_ = name; }
    static const MString& name(const MPxContext& context) { return context.name_; }
    static const MString& title(const MPxContext& context) { return context.titleString_; }
    static const MString& help(const MPxContext& context) { return context.helpString_; }
    static const std::vector<MObject>& manipulators(const MPxContext& context) {
        return context.manipulators_;
    }
};

struct ContextCommandAccess {
    static void setSyntax(MPxContextCommand& command, const MSyntax& syntax) {
        command.syntax_ = syntax;
    }
    static void setParser(MPxContextCommand& command, const MArgParser& parser) {
        command.parser_ = parser;
    }
};

}  // namespace mayasim
