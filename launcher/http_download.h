// HttpDownload: one file from the update server, through wxWidgets' URL class.
// Open says which road the caller takes (a connection error, another error, no file, or a
// body to save); Save copies the body in blocks of 8192 bytes into a file and reports
// whether the whole body arrived and was written. Only a 2xx answer counts as a file.
#pragma once

#include <functional>
#include <memory>
#include <string>

class wxURL;
class wxInputStream;

enum class FetchResult
{
    Opened,          // a 2xx answer whose body can be saved
    ConnectionError, // the server could not be reached
    OtherError,      // anything else that went wrong before an answer (bad address, timeout)
    NoStream,        // the server answered, but with no file (404, 500, a redirect, ...)
};

class HttpDownload
{
public:
    HttpDownload(const std::string& host, int port, int timeoutSeconds);
    ~HttpDownload();
    HttpDownload(const HttpDownload&) = delete;
    HttpDownload& operator=(const HttpDownload&) = delete;

    // Requests path (starting with "/") from the server; any earlier request is dropped.
    FetchResult Open(const std::string& path);

    // Writes the opened body into `path` (created or truncated, permissions 0666 less the
    // umask). False on a read error, a body shorter than its Content-Length or a failed
    // write; `path` is then removed. `afterBlock` runs after each block that was written.
    bool Save(const std::string& path, const std::function<void()>& afterBlock = {});

    // Save into a temporary file next to `path`, which replaces `path` only once complete.
    bool SaveReplacing(const std::string& path, const std::function<void()>& afterBlock = {});

    void Close();

private:
    std::string host;
    int port;
    int timeoutSeconds;
    std::unique_ptr<wxURL> url;
    std::unique_ptr<wxInputStream> stream;
    long long expectedLength = -1;
};
