#include "support/shipped_pack.h"

namespace cavtest
{

void ShippedPackTest::SetUp()
{
    TempDirTest::SetUp();
    platform::SetAudioBackend(&audio);
    CopyTree(CAV_RUN_DIR, temp->Path());
    EngineSettings settings;
    settings.headless = true;
    engine = std::make_unique<Engine>(settings);
    ASSERT_TRUE(engine->LoadMapPacks());
    ASSERT_TRUE(engine->LoadStageRosters());
}

void ShippedPackTest::TearDown()
{
    engine.reset();
    platform::SetAudioBackend(nullptr);
    TempDirTest::TearDown();
}

} // namespace cavtest
