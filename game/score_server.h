// ScoreServer: the online score board, a `scoreboard` table on a MySQL-compatible server.
// The game asks for the best rows and adds one row; what the answer means (which column is
// the name, which the score) is the game's business, so the server hands back the raw
// result: the column names and each row's values, NULL kept apart from "".
//
// The MySQL back end is the default; it reads its address and account from "Servers.cfg"
// when first used, escapes everything it puts into a statement on the live connection,
// and gives up after a few seconds on a server that does not answer. The recording back
// end runs without a server and remembers every submitted row, so tests can assert on it.
#pragma once

#include "engine/server_config.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ScoreTable
{
    std::vector<std::string> columns;
    // A row may hold fewer values than there are columns; the missing ones count as NULL.
    std::vector<std::vector<std::optional<std::string>>> rows;
};

enum class ScoreServerResult
{
    Ok,
    ConnectFailed, // error holds the client library's text
    QueryFailed,
    NoResult, // the query ran but gave no result set
};

class ScoreServer
{
public:
    virtual ~ScoreServer() = default;
    // The `limit` best rows, best first: "SELECT * FROM scoreboard ORDER BY score DESC ...".
    virtual ScoreServerResult FetchBest(int limit, ScoreTable& table, std::string& error) = 0;
    // Adds one row; `when` is the local date and time text.
    virtual ScoreServerResult Submit(const std::string& name, int score, const std::string& when,
                                     std::string& error) = 0;
};

// The back end in use (the MySQL one unless a test installed another).
ScoreServer& GetScoreServer();
// Installs `server` (not owned); nullptr goes back to the MySQL back end.
void SetScoreServer(ScoreServer* server);

// Whether a length the client library's escape function returned is one: its error value,
// (unsigned long)-1, and anything that leaves no room for the terminator in the `capacity`
// bytes it was given are not, and the text must not be sent.
bool EscapedLengthFits(unsigned long reported, std::size_t capacity);

// Seconds the MySQL back end waits for a connection, and for each answer, before it gives up.
constexpr unsigned int kScoreServerTimeout = 3;

class MysqlScoreServer : public ScoreServer
{
public:
    // Reads "Servers.cfg" (writing it with the defaults when absent) on the first request.
    MysqlScoreServer() = default;
    explicit MysqlScoreServer(const ServerConfig& config) : config(config), configured(true) {}

    ScoreServerResult FetchBest(int limit, ScoreTable& table, std::string& error) override;
    ScoreServerResult Submit(const std::string& name, int score, const std::string& when,
                             std::string& error) override;

private:
    void Configure();

    ServerConfig config;
    bool configured = false;
};

// Headless back end: answers with `table` (or fails as told) and records what is submitted.
class RecordingScoreServer : public ScoreServer
{
public:
    struct Submitted
    {
        std::string name;
        int score;
        std::string when;
    };

    ScoreServerResult FetchBest(int limit, ScoreTable& out, std::string& error) override;
    ScoreServerResult Submit(const std::string& name, int score, const std::string& when,
                             std::string& error) override;

    ScoreTable table;
    ScoreServerResult fetchResult = ScoreServerResult::Ok;
    ScoreServerResult submitResult = ScoreServerResult::Ok;
    int fetches = 0;
    std::vector<Submitted> submitted;
};
