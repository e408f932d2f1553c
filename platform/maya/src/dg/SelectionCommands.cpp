// Commands on the active selection: select.

#include <maya/MSelectionList.h>

#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

MStatus select(CommandCall& call) {
    if (call.isSet("-cl")) {
        setSelection(MSelectionList(), &call.log());
        return MStatus::kSuccess;
    }
    MSelectionList items;
    for (const std::string& name : call.objects()) {
        if (!items.add(MString(name.c_str())))
            return call.fail("No object matches name: " + name);
    }
    MSelectionList result = scene().selection;
    if (call.isSet("-add")) {
        result.merge(items, MSelectionList::kMergeNormal);
    } else if (call.isSet("-d")) {
        result.merge(items, MSelectionList::kRemoveFromList);
    } else if (call.isSet("-tgl")) {
        result.merge(items, MSelectionList::kXORWithList);
    } else {
        result = items;
    }
    setSelection(result, &call.log());
    return MStatus::kSuccess;
}

const CommandSpec kSelectionCommands[] = {
    {"select",
     {{"-r", "-replace"},
      {"-add", "-add"},
      {"-d", "-deselect"},
      {"-tgl", "-toggle"},
      {"-cl", "-clear"},
      {"-ne", "-noExpand"}},
     objects(),
     select},
};

}  // namespace

void registerSelectionCommands(CommandEngine& engine) {
    registerCommandTable(engine, kSelectionCommands);
}

}  // namespace mayasim
