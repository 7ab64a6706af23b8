#include "editor/map_io.h"

#include "editor/editor_document.h"
#include "engine/data_file.h"
#include "engine/map_format.h"
#include "platform/platform.h"
#include "platform/prompter.h"

#include <algorithm>

namespace
{

bool WriteDocument(const EditorDocument& document, const std::string& path)
{
    DataFile file;
    bool ok = file.Open(path.c_str(), "wb") &&
              WriteInt32(file, static_cast<std::int32_t>(document.beams.size())) &&
              WriteInt32(file, static_cast<std::int32_t>(document.records.size()));
    for (std::size_t i = 0; ok && i < document.beams.size(); ++i)
        ok = WriteWallRecord(file, document.beams[i]);
    for (std::size_t i = 0; ok && i < document.records.size(); ++i)
        ok = document.records[i]->Write(file);
    return ok && WriteTitleField(file, FieldText(document.title)) &&
           WritePasswordField(file, FieldText(document.password)) &&
           WriteInt32(file, document.endTimer);
}

} // namespace

bool SaveMap(const EditorDocument& document, const std::string& path)
{
    return platform::WriteFileAtomicallyWith(path, [&document](const std::string& temp)
                                             { return WriteDocument(document, temp); });
}

bool LoadMap(EditorDocument& document, const std::string& path, bool& replaced)
{
    replaced = false;
    DataFile file;
    if (!file.Open(path.c_str(), "rb"))
        return false;
    const long size = FileSizeOf(path.c_str());
    document.EmptyMap();
    replaced = true;

    std::int32_t beamCount = 0;
    std::int32_t entityCount = 0;
    if (!ReadInt32(file, beamCount) || !ReadInt32(file, entityCount))
        return false;
    // A count of zero or below reads nothing; a larger one must fit in what the file holds.
    beamCount = std::max(beamCount, 0);
    entityCount = std::max(entityCount, 0);
    if (!MapCountsFit(beamCount, entityCount, size - file.Offset()))
        return false;

    document.beams.reserve(static_cast<std::size_t>(beamCount));
    for (std::int32_t i = 0; i < beamCount; ++i)
    {
        Beam beam;
        if (!ReadWallRecord(file, beam))
            return false;
        document.beams.push_back(beam);
    }
    for (std::int32_t i = 0; i < entityCount; ++i)
    {
        std::int32_t type = 0;
        if (!ReadInt32(file, type))
            return false;
        std::unique_ptr<EntityRecord> record = CreateEntityRecord(type);
        if (!record || !record->Read(file))
            return false;
        record->type = type;
        document.records.push_back(std::move(record));
    }
    return ReadTitleField(file, document.title) && ReadPasswordField(file, document.password) &&
           ReadInt32(file, document.endTimer);
}

void SaveMapCommand(const EditorDocument& document, MapFileChooser& chooser,
                    platform::Prompter& prompter)
{
    std::string path;
    if (chooser.ChooseMapFile("Save Map", true, path) && SaveMap(document, path))
        prompter.Inform("Done.", "Saved Map");
    else
        prompter.ReportError("Failed To Save Map", "ERROR");
}

bool LoadMapCommand(EditorDocument& document, MapFileChooser& chooser, platform::Prompter& prompter)
{
    std::string path;
    bool replaced = false;
    if (chooser.ChooseMapFile("Load Map", false, path) && LoadMap(document, path, replaced))
        prompter.Inform("Done.", "Map Loaded Successfully");
    else
        prompter.ReportError("Failed To Open Map", "ERROR");
    return replaced;
}
