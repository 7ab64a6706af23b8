// Our small operating-system layer: the few system calls the engine, game and launcher make
// (file delete, a one-millisecond sleep, local timestamps, millisecond ticks) plus the
// all-or-nothing file write that every save of a user's file goes through.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace platform
{

// Removes a file; true when it is gone afterwards (a missing file counts as removed).
bool RemoveFile(const char* path);

// Yields the processor for about the given number of milliseconds.
void SleepMs(unsigned int ms);

// Milliseconds since SDL started (SDL_GetTicks); wraps after about 49 days.
unsigned int Ticks();

// Writes the local date and time as "%m/%d/%y %H:%M:%S" (17 characters) after re-reading
// the time-zone setting. The buffer must hold at least 18 bytes; false if it does not.
bool LocalTimestamp(char* out, std::size_t size);

// Replaces `path` with `contents` so that a crash leaves either the old or the new file,
// never a mix: write a temporary file in the same folder, flush it to disk, rename it over.
// The temporary file gets a fresh unique name ("<path>.XXXXXX", made by mkostemp), so no file
// already in the folder is touched; the saved file gets the usual 0666 less the umask.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

// The same guarantee for callers that write field by field: `write` receives the name of the
// temporary file, which already exists and is empty, and fills it by name (opening it "wb" or
// appending both work). Only when it reports success is that file flushed to disk and renamed
// over `path`. Any failure removes the temporary file and leaves `path` as it was.
bool WriteFileAtomicallyWith(const std::string& path,
                             const std::function<bool(const std::string& tempPath)>& write);

// Reads the whole file into `bytes`; false (bytes empty) when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

} // namespace platform
