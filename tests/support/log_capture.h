// A temp-folder test with the log switched on, so a test can read what the code logged.
#pragma once

#include "support/temp_dir.h"

#include <string>

namespace cavtest
{

class LoggedTempDirTest : public TempDirTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Everything logged since SetUp (without the file's dated header).
    std::string LogText() const;
};

} // namespace cavtest
