// The top-five table: its defaults, "Scores.dat", and the online score board.
//
// The local file is touched in two places only: at start (read, or written when absent or
// after a successful fetch) and when a new entry has been named. Every write replaces the
// whole file at once, so a crash or a dead server can never leave the player without it.
#include "game/high_scores.h"

#include "engine/config_file.h"
#include "engine/geometry.h"
#include "engine/logger.h"
#include "game/engine.h"
#include "game/score_server.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace
{

constexpr const char* kScoresPath = "Scores.dat";

const char* const kNameKeys[kScoreRows] = {"1STPLACENAME", "2NDPLACENAME", "3RDPLACENAME",
                                           "4THPLACENAME", "5THPLACENAME"};
const char* const kScoreKeys[kScoreRows] = {"1STPLACE", "2NDPLACE", "3RDPLACE", "4THPLACE",
                                            "5THPLACE"};

struct DefaultRow
{
    const char* name;
    int score;
};
const DefaultRow kDefaults[kScoreRows] = {
    {"J-7AX", 50000}, {"REALY", 40000}, {"LIKES", 30000}, {"SHMUP", 20000}, {"GAMES", 10000},
};

// Copies at most kScoreNameLength characters and always ends the field.
void SetName(char (&field)[kScoreNameLength + 1], const char* text, std::size_t length)
{
    if (length > kScoreNameLength)
        length = kScoreNameLength;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

void ScoresRoutine(Engine& engine)
{
    std::string names[kScoreRows];
    for (int i = 0; i < kScoreRows; ++i)
        names[i] = engine.hiscores.scoreNames[i];
    gConfigFile.Section(kScoresPath, "[Score Sheet]");
    for (int i = 0; i < kScoreRows; ++i)
    {
        // A key missing from the file leaves the name as it was.
        const std::string before = names[i];
        gConfigFile.StringValue(kScoresPath, kNameKeys[i], names[i]);
        if (names[i].empty())
            names[i] = before;
    }
    for (int i = 0; i < kScoreRows; ++i)
        gConfigFile.IntValue(kScoresPath, kScoreKeys[i], engine.hiscores.scores[i]);
    for (int i = 0; i < kScoreRows; ++i)
        SetName(engine.hiscores.scoreNames[i], names[i].c_str(), names[i].size());
}

// Fetches the board into the table; true when the server answered with a result.
bool FetchInto(Engine& engine)
{
    ScoreTable table;
    std::string error;
    ScoreServerResult result = GetScoreServer().FetchBest(kScoreRows, table, error);
    if (result == ScoreServerResult::ConnectFailed)
    {
        gLogger.Log("Failed to connect to database: " + error + "\n");
        return false;
    }
    gLogger.Log("connected to Score database, retrieving scores.\n");
    if (result == ScoreServerResult::QueryFailed)
    {
        gLogger.Log("Failed to query database.\n");
        return false;
    }
    if (result == ScoreServerResult::NoResult)
    {
        gLogger.Log("Failed.\n");
        return false;
    }
    ApplyScoreTable(table, engine.hiscores.scoreNames, engine.hiscores.scores);
    return true;
}

} // namespace

const char* const kPlaceLabels[kScoreRows] = {"1ST", "2ND", "3RD", "4TH", "5TH"};

int ScoreFromText(const char* text)
{
    if (text == nullptr)
        return 0;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text)
        return 0;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void ApplyScoreTable(const ScoreTable& table, char (&names)[kScoreRows][kScoreNameLength + 1],
                     int (&scores)[kScoreRows])
{
    int nameCount = 0;
    int scoreCount = 0;
    for (const auto& row : table.rows)
    {
        for (std::size_t f = 0; f < table.columns.size(); ++f)
        {
            // A short row's missing values, like NULLs, read as "" and 0.
            const std::optional<std::string>* value = f < row.size() ? &row[f] : nullptr;
            const bool present = value != nullptr && value->has_value();
            const char* column = table.columns[f].c_str();
            if (strcasecmp(column, "PlayerName") == 0)
            {
                if (nameCount < kScoreRows)
                {
                    if (present)
                        SetName(names[nameCount], (*value)->data(), (*value)->size());
                    else
                        names[nameCount][0] = '\0';
                }
                ++nameCount;
            }
            else if (strcasecmp(column, "score") == 0)
            {
                if (scoreCount < kScoreRows)
                    scores[scoreCount] = present ? ScoreFromText((*value)->c_str()) : 0;
                ++scoreCount;
            }
        }
    }
}

int InsertScore(char (&names)[kScoreRows][kScoreNameLength + 1], int (&scores)[kScoreRows],
                int score)
{
    int at = 0;
    while (at < kScoreRows && scores[at] >= score)
        ++at;
    if (at == kScoreRows)
        return -1;
    for (int i = kScoreRows - 1; i > at; --i)
    {
        std::memcpy(names[i], names[i - 1], sizeof names[i]);
        scores[i] = scores[i - 1];
    }
    std::memcpy(names[at], "_____", sizeof names[at]);
    scores[at] = score;
    return at;
}

void Engine::InitScores()
{
    for (int i = 0; i < kScoreRows; ++i)
    {
        SetName(hiscores.scoreNames[i], kDefaults[i].name, std::strlen(kDefaults[i].name));
        hiscores.scores[i] = kDefaults[i].score;
    }
    // The fetched board becomes the local table; without it the local file holds.
    if (settings.onlineScore && FetchInto(*this))
        SaveScores();
    else
        LoadOrSaveScores();
}

void Engine::LoadOrSaveScores()
{
    if (gConfigFile.IsWriteMode(kScoresPath))
        SaveScores();
    else
        ScoresRoutine(*this);
}

bool Engine::SaveScores()
{
    if (gConfigFile.Save(kScoresPath, [this] { ScoresRoutine(*this); }))
        return true;
    gLogger.Log("Failed to write Scores.dat\n");
    return false;
}

void Engine::FetchOnlineScores()
{
    FetchInto(*this);
}

void Engine::SubmitOnlineScore(const char* name, int score)
{
    char when[18] = {};
    FormatTimestamp(when, sizeof when);
    std::string error;
    ScoreServerResult result =
        GetScoreServer().Submit(name != nullptr ? name : "", score, when, error);
    if (result == ScoreServerResult::ConnectFailed)
    {
        gLogger.Log("Failed to connect to database: " + error + "\n");
        return;
    }
    gLogger.Log("connected to Score database.\n");
    gLogger.Log(result == ScoreServerResult::Ok ? "Hi score sent to database.\n"
                                                : "Failed to query database.\n");
}
