// HttpDownload: one file from the update server, through wxWidgets' URL class.
// Open says which road the caller takes (a connection error, another error, no file, or a
// body to fetch); Fetch reads the body in blocks of 8192 bytes and reports whether the whole
// body arrived. Only a 2xx answer counts as a file.
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

    // Reads the opened body into `body` in blocks of 8192 bytes. False on a read error, a
    // body shorter than its Content-Length, or one larger than kMaxBody. `afterBlock` runs
    // after each block. Callers write what they fetched with platform::WriteFileAtomically.
    static constexpr std::size_t kMaxBody = 256u << 20;
    bool Fetch(std::string& body, const std::function<void()>& afterBlock = {});

    void Close();

private:
    std::string host;
    int port;
    int timeoutSeconds;
    std::unique_ptr<wxURL> url;
    std::unique_ptr<wxInputStream> stream;
    long long expectedLength = -1;
};
