// Saving and loading ".map" files from the editor's document, and the Save Map and Load Map
// commands around them. The file dialogs and message boxes come through two seams
// (MapFileChooser, platform::Prompter) so the commands run headless in tests.
//
// A save writes a temporary file beside the target field by field, every write checked, and
// only a complete file is flushed and renamed over the target: a failed save never damages
// the map it would replace. A load refuses counts the file's size cannot hold and short
// fields; after a failure past the open, the document holds what was read completely.
#pragma once

#include <string>

class EditorDocument;

namespace platform
{
class Prompter;
}

class MapFileChooser
{
public:
    virtual ~MapFileChooser() = default;
    // Shows the modal "Save Map" or "Load Map" dialog; false when it was cancelled.
    virtual bool ChooseMapFile(const std::string& message, bool forSave, std::string& path) = 0;
};

bool SaveMap(const EditorDocument& document, const std::string& path);

// False on any failure. `replaced` tells whether the old map was emptied: false only when
// the file could not be opened, which leaves the document as it was.
bool LoadMap(EditorDocument& document, const std::string& path, bool& replaced);

// "Save Map": the dialog, the save, and "Done." or "Failed To Save Map".
void SaveMapCommand(const EditorDocument& document, MapFileChooser& chooser,
                    platform::Prompter& prompter);
// "Load Map": the dialog, the load, and its box. True when the document was replaced (the
// caller then resets its view and forgets anything that pointed into the old map).
bool LoadMapCommand(EditorDocument& document, MapFileChooser& chooser,
                    platform::Prompter& prompter);
