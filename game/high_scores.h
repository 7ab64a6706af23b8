// High scores: the five best names and scores the Engine keeps, best first. The Engine's
// InitScores, LoadOrSaveScores, SaveScores, FetchOnlineScores and SubmitOnlineScore keep the
// table in "Scores.dat" and on the online board; the helpers here are the parts of that work
// that need neither files nor a server.
#pragma once

#include <cstddef>

struct ScoreTable;

constexpr int kScoreRows = 5;
constexpr std::size_t kScoreNameLength = 5;

// "1ST" to "5TH".
extern const char* const kPlaceLabels[kScoreRows];

// The leading decimal number of text, as atoi reads it; 0 when there is none, and the
// nearest int when it does not fit.
int ScoreFromText(const char* text);

// Fills the table from the server's answer: every "PlayerName" column (any letter case)
// gives the next name, every "score" column the next score, each in its own count from the
// first place on; places beyond the answer keep what they hold. NULL reads as "" and 0.
void ApplyScoreTable(const ScoreTable& table, char (&names)[kScoreRows][kScoreNameLength + 1],
                     int (&scores)[kScoreRows]);

// Places `score` above the first strictly lower entry: the entries from there down move one
// place (the last is dropped) and the new one is named "_____". Its index, or -1 when the
// score beats no entry.
int InsertScore(char (&names)[kScoreRows][kScoreNameLength + 1], int (&scores)[kScoreRows],
                int score);
