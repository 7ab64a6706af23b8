// Starting another program (the patcher): the program is
// run directly (no shell parses anything), with no arguments, and is not waited for.
#pragma once

#include <string>

namespace platform
{

// Starts the program at `path` (for example "./Patcher.exe") in the current folder.
// True when it was started; false when it is missing, not executable or could not run.
bool StartProgram(const std::string& path);

} // namespace platform
