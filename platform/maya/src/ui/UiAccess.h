#pragma once
// Host access to the private state of events, contexts and context commands.

#include <maya/MCursor.h>
#include <maya/MEvent.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>

#include <mayasim/Contexts.h>

#include <algorithm>

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
    static const MCursor& cursor(const MPxContext& context) { return context.cursor_; }
};

struct CursorAccess {
    static contexts::CursorState describe(const MCursor& cursor) {
        static const char* const kShapes[] = {"default", "crossHair", "doubleCrossHair",
                                              "edit",    "pencil",    "hand"};
        contexts::CursorState state;
        const bool builtIn = cursor.id_ >= 0 && cursor.id_ < 6;
        state.shape = builtIn ? kShapes[cursor.id_] : "bitmap";
        state.width = cursor.width_;
        state.height = cursor.height_;
        state.hotSpotX = cursor.hotSpotX_;
        state.hotSpotY = cursor.hotSpotY_;
        auto zero = [](unsigned char byte) { return byte == 0; };
        state.blank = !builtIn && std::all_of(cursor.bits_.begin(), cursor.bits_.end(), zero) &&
                      std::all_of(cursor.mask_.begin(), cursor.mask_.end(), zero);
        return state;
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
