#include "game/score_server.h"

#include <mysql.h>

#include <cstdio>
#include <memory>

namespace
{

ScoreServer* gInstalled = nullptr;

ScoreServer& DefaultServer()
{
    static MysqlScoreServer server;
    return server;
}

struct CloseConnection
{
    void operator()(MYSQL* connection) const { mysql_close(connection); }
};
using Connection = std::unique_ptr<MYSQL, CloseConnection>;

struct FreeResult
{
    void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};

// A connection with short timeouts, so that a dead or silent server costs seconds, not the
// game. Null (with the library's text in error) when it could not be made.
Connection Connect(const ServerConfig& config, std::string& error)
{
    Connection connection(mysql_init(nullptr));
    if (!connection)
    {
        error = "out of memory";
        return nullptr;
    }
    const unsigned int timeout = kScoreServerTimeout;
    mysql_options(connection.get(), MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    mysql_options(connection.get(), MYSQL_OPT_READ_TIMEOUT, &timeout);
    mysql_options(connection.get(), MYSQL_OPT_WRITE_TIMEOUT, &timeout);
    if (mysql_real_connect(connection.get(), config.scoreHost.c_str(), config.scoreUser.c_str(),
                           config.scorePassword.c_str(), config.scoreDatabase.c_str(),
                           static_cast<unsigned int>(config.scorePort), nullptr, 0) == nullptr)
    {
        error = mysql_error(connection.get());
        return nullptr;
    }
    return connection;
}

// `text` as a quoted SQL string body, escaped for the connection's character set; false (and
// `out` empty) when the client library reports it could not escape it.
bool Escape(MYSQL* connection, const std::string& text, std::string& out)
{
    out.assign(text.size() * 2 + 1, '\0');
    const unsigned long length =
        mysql_real_escape_string(connection, &out[0], text.data(), text.size());
    if (!EscapedLengthFits(length, out.size()))
    {
        out.clear();
        return false;
    }
    out.resize(length);
    return true;
}

} // namespace

bool EscapedLengthFits(unsigned long reported, std::size_t capacity)
{
    return reported < capacity;
}

ScoreServer& GetScoreServer()
{
    return gInstalled != nullptr ? *gInstalled : DefaultServer();
}

void SetScoreServer(ScoreServer* server)
{
    gInstalled = server;
}

void MysqlScoreServer::Configure()
{
    if (configured)
        return;
    config.Load("Servers.cfg");
    configured = true;
}

ScoreServerResult MysqlScoreServer::FetchBest(int limit, ScoreTable& table, std::string& error)
{
    Configure();
    Connection connection = Connect(config, error);
    if (!connection)
        return ScoreServerResult::ConnectFailed;

    char query[96];
    const int length = std::snprintf(
        query, sizeof query, "SELECT * FROM scoreboard ORDER BY score DESC LIMIT %i", limit);
    if (mysql_real_query(connection.get(), query, static_cast<unsigned long>(length)) != 0)
    {
        error = mysql_error(connection.get());
        return ScoreServerResult::QueryFailed;
    }
    std::unique_ptr<MYSQL_RES, FreeResult> result(mysql_store_result(connection.get()));
    if (!result)
        return ScoreServerResult::NoResult;

    const unsigned int fieldCount = mysql_num_fields(result.get());
    const MYSQL_FIELD* fields = mysql_fetch_fields(result.get());
    table.columns.clear();
    table.rows.clear();
    for (unsigned int f = 0; f < fieldCount; ++f)
        table.columns.push_back(fields[f].name != nullptr ? fields[f].name : "");
    while (MYSQL_ROW row = mysql_fetch_row(result.get()))
    {
        const unsigned long* lengths = mysql_fetch_lengths(result.get());
        std::vector<std::optional<std::string>> values(fieldCount);
        for (unsigned int f = 0; f < fieldCount; ++f)
        {
            if (row[f] != nullptr && lengths != nullptr)
                values[f] = std::string(row[f], lengths[f]);
        }
        table.rows.push_back(std::move(values));
    }
    return ScoreServerResult::Ok;
}

ScoreServerResult MysqlScoreServer::Submit(const std::string& name, int score,
                                           const std::string& when, std::string& error)
{
    Configure();
    Connection connection = Connect(config, error);
    if (!connection)
        return ScoreServerResult::ConnectFailed;

    // A row that cannot be escaped is never sent, not even cut short.
    std::string escapedName;
    std::string escapedWhen;
    if (!Escape(connection.get(), name, escapedName) ||
        !Escape(connection.get(), when, escapedWhen))
    {
        error = "could not escape the submission";
        return ScoreServerResult::QueryFailed;
    }
    const std::string statement =
        "INSERT INTO `scoreboard` ( `id` , `playerName` , `score` ,`dateadded` ) VALUES (NULL , '" +
        escapedName + "', '" + std::to_string(score) + "','" + escapedWhen + "');";
    if (mysql_real_query(connection.get(), statement.data(),
                         static_cast<unsigned long>(statement.size())) != 0)
    {
        error = mysql_error(connection.get());
        return ScoreServerResult::QueryFailed;
    }
    return ScoreServerResult::Ok;
}

ScoreServerResult RecordingScoreServer::FetchBest(int limit, ScoreTable& out, std::string& error)
{
    ++fetches;
    if (fetchResult != ScoreServerResult::Ok)
    {
        error = "no score server";
        return fetchResult;
    }
    out = table;
    if (out.rows.size() > static_cast<std::size_t>(limit))
        out.rows.resize(static_cast<std::size_t>(limit));
    return ScoreServerResult::Ok;
}

ScoreServerResult RecordingScoreServer::Submit(const std::string& name, int score,
                                               const std::string& when, std::string& error)
{
    if (submitResult != ScoreServerResult::Ok)
    {
        error = "no score server";
        return submitResult;
    }
    submitted.push_back({name, score, when});
    return ScoreServerResult::Ok;
}
