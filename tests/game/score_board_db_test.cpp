// The online score board against the private MariaDB server that scripts/test starts: the
// game's fetch and submit through the MySQL back end, the table read by column name, and a
// dead or silent server costing a log line and a few seconds only.
#include "game/high_scores.h"

#include "engine/config_file.h"
#include "support/headless_game.h"

#include <gtest/gtest.h>
#include <mysql.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace
{

const char kSheet[] = "[Score Sheet]\n"
                      "1STPLACENAME\t= LOCAL\n2NDPLACENAME\t= REALY\n3RDPLACENAME\t= LIKES\n"
                      "4THPLACENAME\t= SHMUP\n5THPLACENAME\t= GAMES\n"
                      "1STPLACE\t= 50000\n2NDPLACE\t= 40000\n3RDPLACE\t= 30000\n"
                      "4THPLACE\t= 20000\n5THPLACE\t= 10000\n";

const char kPlainTable[] = "CREATE TABLE scoreboard (id INT NOT NULL AUTO_INCREMENT PRIMARY KEY, "
                           "playerName VARCHAR(32), score INT, dateadded VARCHAR(32))";

// A listening socket on 127.0.0.1 that never answers; `port` is 0 if none could be made.
struct SilentServer
{
    SilentServer()
    {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            listen(fd, 4) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port = ntohs(address.sin_port);
    }
    ~SilentServer()
    {
        if (fd >= 0)
            close(fd);
    }
    int fd = -1;
    int port = 0;
};

class ScoreBoardDbTest : public cavtest::HeadlessGameTest
{
protected:
    void SetUp() override
    {
        const char* port = std::getenv("CAV_DB_PORT");
        if (port == nullptr || std::getenv("CAV_DB_USER") == nullptr)
            GTEST_SKIP() << "no test database (run scripts/test)";
        HeadlessGameTest::SetUp();
        config.scoreHost = std::getenv("CAV_DB_HOST");
        config.scorePort = std::atoi(port);
        config.scoreUser = std::getenv("CAV_DB_USER");
        config.scorePassword = std::getenv("CAV_DB_PASSWORD");
        config.scoreDatabase = std::getenv("CAV_DB_NAME");
        Sql("DROP TABLE IF EXISTS scoreboard");
        Sql(kPlainTable);
        cavtest::WriteFile("Scores.dat", kSheet);
        engine->settings.onlineScore = true;
    }

    void TearDown() override
    {
        SetScoreServer(nullptr);
        HeadlessGameTest::TearDown();
    }

    // Runs one statement on the test database; the rows of a query, as text ("NULL" for NULL).
    std::vector<std::vector<std::string>> Sql(const std::string& statement)
    {
        std::vector<std::vector<std::string>> rows;
        MYSQL* db = mysql_init(nullptr);
        EXPECT_NE(mysql_real_connect(db, config.scoreHost.c_str(), config.scoreUser.c_str(),
                                     config.scorePassword.c_str(), config.scoreDatabase.c_str(),
                                     static_cast<unsigned int>(config.scorePort), nullptr, 0),
                  nullptr)
            << mysql_error(db);
        EXPECT_EQ(mysql_query(db, statement.c_str()), 0) << mysql_error(db) << "\n" << statement;
        if (MYSQL_RES* result = mysql_store_result(db))
        {
            const unsigned int fields = mysql_num_fields(result);
            while (MYSQL_ROW row = mysql_fetch_row(result))
            {
                std::vector<std::string> values;
                for (unsigned int f = 0; f < fields; ++f)
                    values.push_back(row[f] != nullptr ? row[f] : "NULL");
                rows.push_back(values);
            }
            mysql_free_result(result);
        }
        mysql_close(db);
        return rows;
    }

    // The game's table as a new start sets it up, through a server at `port`.
    void StartWith(int port)
    {
        ServerConfig used = config;
        used.scorePort = port;
        server = std::make_unique<MysqlScoreServer>(used);
        SetScoreServer(server.get());
        gConfigFile.ResetForNewRun();
        engine->InitScores();
    }

    void ExpectTable(const std::vector<std::string>& names, const std::vector<int>& scores)
    {
        for (int i = 0; i < kScoreRows; ++i)
        {
            EXPECT_EQ(engine->hiscores.scoreNames[i], names[i]) << i;
            EXPECT_EQ(engine->hiscores.scores[i], scores[i]) << i;
        }
    }

    ServerConfig config;
    std::unique_ptr<MysqlScoreServer> server;
};

TEST_F(ScoreBoardDbTest, NameEnteredAfterAGameReachesTheBoardAndComesBack)
{
    StartWith(config.scorePort);
    // The board rules while it is on: an empty one leaves the defaults.
    ExpectTable({"J-7AX", "REALY", "LIKES", "SHMUP", "GAMES"}, {50000, 40000, 30000, 20000, 10000});
    engine->progress.score = 77777;
    engine->EndGame();
    ASSERT_EQ(engine->gameState, NewHiscore);
    Type("o'k\\x");
    Steps(300);
    ASSERT_EQ(engine->gameState, Continue);

    const auto rows = Sql("SELECT id, playerName, score, dateadded FROM scoreboard");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "O'K\\X"); // quote and backslash stored as typed
    EXPECT_EQ(rows[0][2], "77777");
    EXPECT_EQ(rows[0][3].size(), 17u); // "mm/dd/yy hh:mm:ss"
    EXPECT_EQ(rows[0][3][2], '/');
    EXPECT_NE(LogText().find("connected to Score database.\nHi score sent to database.\n"),
              std::string::npos);

    Sql("INSERT INTO scoreboard VALUES (NULL, 'SECND', 100, 'x')");
    StartWith(config.scorePort);
    ExpectTable({"O'K\\X", "SECND", "LIKES", "SHMUP", "GAMES"}, {77777, 100, 30000, 20000, 10000});
}

TEST_F(ScoreBoardDbTest, TablesOfOtherShapes)
{
    struct Case
    {
        const char* what;
        const char* table;
        const char* rows;
        std::vector<std::string> names;
        std::vector<int> scores;
    };
    const Case cases[] = {
        {"upper-case columns, other order",
         "CREATE TABLE scoreboard (SCORE INT, PLAYERNAME VARCHAR(32), ID INT, DATEADDED TEXT)",
         "(900, 'UPPER', 1, 'x'), (800, 'CASED', 2, 'x')",
         {"UPPER", "CASED", "LIKES", "SHMUP", "GAMES"},
         {900, 800, 30000, 20000, 10000}},
        // Sorted as text: "abc" before "9000" before NULL.
        {"NULLs, a long name and text where the score should be",
         "CREATE TABLE scoreboard (id INT, playerName VARCHAR(32), score VARCHAR(32), d TEXT)",
         "(1, 'WORDS', 'abc', 'x'), (2, NULL, '9000', NULL), (3, 'LONGNAME', NULL, 'x')",
         {"WORDS", "", "LONGN", "SHMUP", "GAMES"},
         {0, 9000, 0, 20000, 10000}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Sql("DROP TABLE scoreboard");
        Sql(c.table);
        Sql(std::string("INSERT INTO scoreboard VALUES ") + c.rows);
        StartWith(config.scorePort);
        ExpectTable(c.names, c.scores);
    }
}

TEST_F(ScoreBoardDbTest, DeadOrSilentServerCostsALogLineAndSeconds)
{
    SilentServer silent;
    ASSERT_NE(silent.port, 0);
    // A closed port: a listening socket of our own, gone again.
    int closedPort = 0;
    {
        SilentServer gone;
        closedPort = gone.port;
    }
    for (int port : {closedPort, silent.port})
    {
        SCOPED_TRACE(port);
        const auto start = std::chrono::steady_clock::now();
        StartWith(port);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, kScoreServerTimeout + 2.0);
        EXPECT_NE(LogText().find("Failed to connect to database: "), std::string::npos);
        ExpectTable({"LOCAL", "REALY", "LIKES", "SHMUP", "GAMES"},
                    {50000, 40000, 30000, 20000, 10000});
        EXPECT_EQ(cavtest::ReadFile("Scores.dat"), kSheet);
    }
    EXPECT_TRUE(Sql("SELECT * FROM scoreboard").empty());
}

TEST_F(ScoreBoardDbTest, ServerAddressComesFromServersCfg)
{
    cavtest::WriteFile("Servers.cfg", "[Server Configuration]\n"
                                      "SCORE_HOST\t= " +
                                          config.scoreHost +
                                          "\n"
                                          "SCORE_PORT\t= " +
                                          std::to_string(config.scorePort) + "\n");
    Sql("INSERT INTO scoreboard VALUES (NULL, 'CFGOK', 123, 'x')");
    MysqlScoreServer fromFile; // reads Servers.cfg on its first request
    SetScoreServer(&fromFile);
    gConfigFile.ResetForNewRun();
    engine->InitScores();
    EXPECT_STREQ(engine->hiscores.scoreNames[0], "CFGOK");
    SetScoreServer(nullptr);
}

} // namespace
