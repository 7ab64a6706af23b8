// The states around play and the high-score table, headless: state timers, the end of a
// game, name entry and what reaches "Scores.dat" and the (recorded) online board.
#include "game/high_scores.h"

#include "engine/config_file.h"
#include "engine/input.h"
#include "game/score_server.h"
#include "support/headless_game.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

using namespace input_code;

const char kDefaultSheet[] = "[Score Sheet]\n"
                             "1STPLACENAME\t= J-7AX\n"
                             "2NDPLACENAME\t= REALY\n"
                             "3RDPLACENAME\t= LIKES\n"
                             "4THPLACENAME\t= SHMUP\n"
                             "5THPLACENAME\t= GAMES\n"
                             "1STPLACE\t= 50000\n"
                             "2NDPLACE\t= 40000\n"
                             "3RDPLACE\t= 30000\n"
                             "4THPLACE\t= 20000\n"
                             "5THPLACE\t= 10000\n";

class StatesTest : public cavtest::HeadlessGameTest
{
protected:
    void SetUp() override
    {
        HeadlessGameTest::SetUp();
        AddPack("ALPHA", {"AAAAA", "BBBBB"});
        engine->InitScores();
    }

    // Steps until the state changes (at most `limit` steps); how many it took.
    int StepsUntilLeaving(int state, int limit)
    {
        int steps = 0;
        while (engine->gameState == state && steps < limit)
        {
            Steps();
            ++steps;
        }
        return steps;
    }

    // The table as a new start of the program sets it up.
    void Restart(bool online)
    {
        gConfigFile.ResetForNewRun();
        engine->settings.onlineScore = online;
        engine->InitScores();
    }

    // A game ends with this score.
    void EndWith(int score, bool packCompleted = false)
    {
        engine->progress.score = score;
        engine->progress.packCompleted = packCompleted;
        engine->EndGame();
    }
};

TEST_F(StatesTest, StateTimers)
{
    struct Case
    {
        int state;
        float timer;
        int steps;
        int next;
    };
    const Case cases[] = {
        {Splash, 0.0f, 701, FrontEnd},
        {GameOver, 5.0f, 500, FrontEnd},
        {Continue, 10.0f, 1000, GameOver},
        {Credits, 0.0f, 8001, GameOver}, // EndGame with no new entry, after the credits
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.state);
        if (c.state == Credits)
            engine->StartCredits();
        engine->gameState = c.state;
        engine->stateTimer = c.timer;
        EXPECT_NEAR(StepsUntilLeaving(c.state, 9000), c.steps, 1);
        EXPECT_EQ(engine->gameState, c.next);
    }
}

TEST_F(StatesTest, SelectEarlyInTheSplashJumpsToItsFadeOut)
{
    engine->gameState = Splash;
    engine->stateTimer = 0.5f;
    Tap(KeyZ);
    EXPECT_NEAR(engine->stateTimer, 6.01f, 0.015f);
    EXPECT_NEAR(StepsUntilLeaving(Splash, 1000), 99, 1);
}

TEST_F(StatesTest, FireInTheLastContinueStepStillStartsTheStage)
{
    engine->progress.stage = 2;
    engine->progress.lives = 0;
    EndWith(0);
    ASSERT_EQ(engine->gameState, Continue);
    engine->stateTimer = 0.005f;
    Tap(KeyZ);
    EXPECT_EQ(engine->gameState, Playing);
    EXPECT_EQ(engine->progress.stage, 2);
    EXPECT_EQ(engine->progress.lives, 3);
    EXPECT_EQ(engine->progress.score, 0);
}

TEST_F(StatesTest, NoContinueAfterTheCredits)
{
    engine->progress.score = 5;
    engine->StartCredits();
    engine->stateTimer = 79.995f;
    Steps(2);
    EXPECT_EQ(engine->gameState, GameOver);
}

TEST_F(StatesTest, TableInsertion)
{
    struct Case
    {
        int score;
        int row;
        int scores[kScoreRows];
    };
    const Case cases[] = {
        {60000, 0, {60000, 50000, 40000, 30000, 20000}},
        {40000, 2, {50000, 40000, 40000, 30000, 20000}}, // an equal entry stays above
        {10001, 4, {50000, 40000, 30000, 20000, 10001}},
        {10000, -1, {50000, 40000, 30000, 20000, 10000}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.score);
        char names[kScoreRows][kScoreNameLength + 1] = {"A", "B", "C", "D", "E"};
        int scores[kScoreRows] = {50000, 40000, 30000, 20000, 10000};
        const int row = InsertScore(names, scores, c.score);
        EXPECT_EQ(row, c.row);
        for (int i = 0; i < kScoreRows; ++i)
            EXPECT_EQ(scores[i], c.scores[i]) << i;
        if (row >= 0)
        {
            EXPECT_STREQ(names[row], "_____");
        }
    }
}

TEST_F(StatesTest, FirstStartWritesTheDefaultSheetByteForByte)
{
    EXPECT_EQ(cavtest::ReadFile("Scores.dat"), kDefaultSheet);
}

TEST_F(StatesTest, NamedEntryIsSavedAndSubmitted)
{
    engine->settings.onlineScore = true;
    EndWith(45000);
    ASSERT_EQ(engine->gameState, NewHiscore);
    EXPECT_EQ(engine->hiscores.scoreEntryIndex, 1);
    EXPECT_EQ(cavtest::ReadFile("Scores.dat"), kDefaultSheet); // nothing written yet
    // Blanks and control keys use up a place and store nothing.
    Type(std::string("a b") + '\x1b' + "\\");
    EXPECT_STREQ(engine->hiscores.scoreNames[1], "A_B_\\");
    EXPECT_NEAR(StepsUntilLeaving(NewHiscore, 1000), 299, 1);
    EXPECT_EQ(engine->gameState, Continue);

    const std::string saved = cavtest::ReadFile("Scores.dat");
    EXPECT_NE(saved.find("2NDPLACENAME\t= A_B_\\\n3RDPLACENAME\t= REALY\n"), std::string::npos);
    EXPECT_NE(saved.find("2NDPLACE\t= 45000\n3RDPLACE\t= 40000\n"), std::string::npos);
    EXPECT_NE(saved.find("5THPLACE\t= 20000\n"), std::string::npos);
    ASSERT_EQ(scoreServer.submitted.size(), 1u);
    EXPECT_EQ(scoreServer.submitted[0].name, "A_B_\\");
    EXPECT_EQ(scoreServer.submitted[0].score, 45000);
    EXPECT_EQ(scoreServer.submitted[0].when.size(), 17u);
}

TEST_F(StatesTest, ScoresFileUntouchedWithoutASavedEntry)
{
    struct Case
    {
        int score;
        bool escape;
        bool online;
    };
    const Case cases[] = {
        {45000, true, false}, // ESC after typing
        {45000, true, true},  // the same with the online board
        {100, false, true},   // no new high score: Continue straight away
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.score);
        cavtest::WriteFile("Scores.dat", kDefaultSheet);
        Restart(c.online);
        EndWith(c.score);
        if (c.escape)
        {
            Type("ABCDE");
            Steps(10);
            Tap(Escape);
            EXPECT_EQ(engine->gameState, Continue);
            EXPECT_STREQ(engine->hiscores.scoreNames[1], "ABCDE"); // in memory only
        }
        EXPECT_EQ(engine->gameState, Continue);
        EXPECT_EQ(cavtest::ReadFile("Scores.dat"), kDefaultSheet);
        EXPECT_TRUE(scoreServer.submitted.empty());
    }
}

TEST_F(StatesTest, OnlineTableIsReadByColumnNameWithNullsAndShortRows)
{
    struct Case
    {
        const char* what;
        ScoreTable table;
        const char* names[kScoreRows];
        int scores[kScoreRows];
    };
    using V = std::optional<std::string>;
    const Case cases[] = {
        {"columns in any order and case",
         {{"SCORE", "dateadded", "PLAYERNAME", "id"},
          {{V("70000"), V("x"), V("TOPPY"), V("1")}, {V("65000"), V("x"), V("NEXTY"), V("2")}}},
         {"TOPPY", "NEXTY", "LIKES", "SHMUP", "GAMES"},
         {70000, 65000, 30000, 20000, 10000}},
        {"NULLs, a short row, a long name and a score that is no number",
         {{"id", "playerName", "score"},
          {{V("1"), std::nullopt, V("abc")}, {V("2")}, {V("3"), V("LONGNAME"), V("12x")}}},
         {"", "", "LONGN", "SHMUP", "GAMES"},
         {0, 0, 12, 20000, 10000}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        scoreServer.table = c.table;
        cavtest::WriteFile("Scores.dat", kDefaultSheet);
        Restart(true);
        for (int i = 0; i < kScoreRows; ++i)
        {
            EXPECT_STREQ(engine->hiscores.scoreNames[i], c.names[i]) << i;
            EXPECT_EQ(engine->hiscores.scores[i], c.scores[i]) << i;
        }
        // A fetched board at start becomes the local file.
        EXPECT_NE(cavtest::ReadFile("Scores.dat").find(std::string("5THPLACE\t= 10000")),
                  std::string::npos);
        EXPECT_EQ(cavtest::ReadFile("Scores.dat").find("J-7AX"), std::string::npos);
    }
}

TEST_F(StatesTest, FailedFetchKeepsTheLocalFileAndLogs)
{
    std::string sheet = kDefaultSheet;
    sheet.replace(sheet.find("J-7AX"), 5, "LOCAL");
    cavtest::WriteFile("Scores.dat", sheet);
    scoreServer.fetchResult = ScoreServerResult::ConnectFailed;
    Restart(true);
    EXPECT_STREQ(engine->hiscores.scoreNames[0], "LOCAL");
    EXPECT_EQ(cavtest::ReadFile("Scores.dat"), sheet);
    EXPECT_NE(LogText().find("Failed to connect to database: no score server\n"),
              std::string::npos);
}

// The client library's escape answers (unsigned long)-1 when it could not escape a text; a
// submission taking that for a length would send a cut or overlong row.
TEST(ScoreServerEscape, TheClientsErrorValueIsNoLength)
{
    EXPECT_FALSE(EscapedLengthFits(static_cast<unsigned long>(-1), 11));
    EXPECT_FALSE(EscapedLengthFits(11, 11)); // no room left for the terminator
    EXPECT_TRUE(EscapedLengthFits(10, 11));
    EXPECT_TRUE(EscapedLengthFits(0, 1));
}

} // namespace
