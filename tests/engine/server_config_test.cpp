// "Servers.cfg": written with the defaults when absent, read back, and safe to load twice.
#include "engine/server_config.h"
#include "support/temp_dir.h"

namespace
{

class ServerConfigTest : public cavtest::TempDirTest
{
};

TEST_F(ServerConfigTest, MissingFileIsWrittenWithTheDefaults)
{
    ServerConfig config;
    config.Load();
    EXPECT_EQ(cavtest::ReadFile("Servers.cfg"), "[Server Configuration]\n"
                                                "SCORE_HOST\t= 127.0.0.1\n"
                                                "SCORE_PORT\t= 3306\n"
                                                "SCORE_USER\t= skyscore_j7ax\n"
                                                "SCORE_PASSWORD\t= 4#kR7zq\n"
                                                "SCORE_DATABASE\t= skyscore_j7ax\n"
                                                "UPDATE_HOST\t= 127.0.0.1\n"
                                                "UPDATE_PORT\t= 80\n");
    // A second load in the same run reads the file instead of appending to it again.
    const std::string before = cavtest::ReadFile("Servers.cfg");
    ServerConfig again;
    again.Load();
    EXPECT_EQ(cavtest::ReadFile("Servers.cfg"), before);
    EXPECT_EQ(again.updatePort, 80);
}

TEST_F(ServerConfigTest, ValuesAreReadAndMissingKeysKeepTheirDefaults)
{
    cavtest::WriteFile("Servers.cfg",
                       "[Server Configuration]\nUPDATE_HOST\t= updates.example\nUPDATE_PORT\t= "
                       "8080\nSCORE_PASSWORD\t= s3cret\n");
    ServerConfig config;
    config.Load();
    EXPECT_EQ(config.updateHost, "updates.example");
    EXPECT_EQ(config.updatePort, 8080);
    EXPECT_EQ(config.scorePassword, "s3cret");
    EXPECT_EQ(config.scoreHost, "127.0.0.1");
    EXPECT_EQ(config.scoreUser, "skyscore_j7ax");
    EXPECT_EQ(config.scorePort, 3306);
}

} // namespace
