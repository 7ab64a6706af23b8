// A MapFileChooser for tests: answers every file dialog with a set path (or a cancel) and
// records the dialogs' messages.
#pragma once

#include "editor/map_io.h"

#include <string>
#include <vector>

namespace cavtest
{

class FakeMapChooser : public MapFileChooser
{
public:
    bool ChooseMapFile(const std::string& message, bool forSave, std::string& chosen) override
    {
        messages.push_back(message + (forSave ? "|save" : "|load"));
        chosen = path;
        return !cancel;
    }

    std::string path;
    bool cancel = false;
    std::vector<std::string> messages;
};

} // namespace cavtest
