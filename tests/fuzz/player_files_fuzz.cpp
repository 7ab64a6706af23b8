// The player's own files and the score board's answer: one input describes "Scores.dat",
// "Controls.dat" and the board's result set (parts separated by "\n--\n"; in the result, the
// first line holds the column names, each further line a row, values split at tabs and
// "\N" for NULL). The Engine reads the controls and the scores, online when the input's
// first byte is odd; whatever they hold, every name must stay a short, ended string and the
// controls must stay on their scales.
#include "headless_engine.h"
#include "engine/config_file.h"
#include "game/high_scores.h"
#include "game/score_server.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{

Engine* engine = nullptr;
RecordingScoreServer board;

std::vector<std::string> SplitAt(const std::string& text, char separator)
{
    std::vector<std::string> pieces(1);
    for (char c : text)
    {
        if (c == separator)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

ScoreTable ReadTable(const std::string& text)
{
    ScoreTable table;
    std::vector<std::string> lines = SplitAt(text, '\n');
    table.columns = SplitAt(lines[0], '\t');
    for (std::size_t i = 1; i < lines.size(); ++i)
    {
        std::vector<std::optional<std::string>> row;
        for (const std::string& value : SplitAt(lines[i], '\t'))
        {
            if (value == "\\N")
                row.emplace_back();
            else
                row.emplace_back(value);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    engine = cavfuzz::StartHeadlessEngine(); // lives for the whole run
    SetScoreServer(&board);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string parts[3];
    cavfuzz::SplitInput(data, size, parts, 3);
    if (!cavfuzz::WriteInput("Scores.dat", parts[0]) ||
        !cavfuzz::WriteInput("Controls.dat", parts[1]))
        return 0;
    board.table = ReadTable(parts[2]);
    gConfigFile.ResetForNewRun(); // both files count as found at start: they are read
    engine->settings.onlineScore = size > 0 && (data[0] & 1) != 0;

    engine->InitControls();
    const Input& input = engine->input;
    if (input.Sensitivity() < Input::kMinSensitivity ||
        input.Sensitivity() > Input::kMaxSensitivity ||
        !(input.mouseFactor >= Input::kMinMouseFactor &&
          input.mouseFactor <= Input::kMaxMouseFactor))
        std::abort();

    engine->InitScores();
    for (const char* name : engine->hiscores.scoreNames)
    {
        if (strnlen(name, kScoreNameLength + 1) > kScoreNameLength)
            std::abort();
    }
    return 0;
}
