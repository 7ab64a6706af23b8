#include "launcher/http_download.h"

#include "platform/platform.h"

#include <wx/log.h>
#include <wx/protocol/http.h>
#include <wx/url.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{

constexpr std::size_t kBlockSize = 8192;

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0)
    {
        ssize_t n = ::write(fd, data, size);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

HttpDownload::HttpDownload(const std::string& host, int port, int timeoutSeconds)
    : host(host), port(port), timeoutSeconds(timeoutSeconds)
{
}

HttpDownload::~HttpDownload()
{
    Close();
}

void HttpDownload::Close()
{
    // The stream reads through the URL's protocol object: it goes first.
    stream.reset();
    url.reset();
    expectedLength = -1;
}

FetchResult HttpDownload::Open(const std::string& path)
{
    Close();
    wxLogNull quiet; // failures are ours to report, in our own words
    wxString address = wxString::Format("http://%s:%d%s", wxString::FromUTF8(host), port,
                                        wxString::FromUTF8(path));
    url = std::make_unique<wxURL>(address);
    if (url->GetError() != wxURL_NOERR)
        return FetchResult::OtherError;

    wxHTTP* http = wxDynamicCast(&url->GetProtocol(), wxHTTP);
    if (http == nullptr)
        return FetchResult::OtherError;
    // A silent server must cost seconds, not minutes; and no events may be handled while
    // we wait, or a second click could start a second update inside this one.
    http->SetTimeout(timeoutSeconds);
    http->SetFlags(wxSOCKET_BLOCK);

    stream.reset(url->GetInputStream());
    if (!stream)
    {
        // For http:// the URL class reports every failure as a protocol error; the reason
        // is in the protocol's own error.
        wxURLError urlError = url->GetError();
        wxProtocolError protoError = http->GetError();
        if (urlError == wxURL_CONNERR || urlError == wxURL_NOHOST || protoError == wxPROTO_CONNERR)
            return FetchResult::ConnectionError;
        if (protoError == wxPROTO_NOFILE)
            return FetchResult::NoStream;
        return FetchResult::OtherError;
    }
    int status = http->GetResponse();
    if (status < 200 || status > 299)
    {
        Close();
        return FetchResult::NoStream;
    }
    wxString length = http->GetHeader("Content-Length");
    long long value = -1;
    if (!length.empty() && length.ToLongLong(&value) && value >= 0)
        expectedLength = value;
    return FetchResult::Opened;
}

bool HttpDownload::Save(const std::string& path, const std::function<void()>& afterBlock)
{
    if (!stream)
        return false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    char buffer[kBlockSize];
    long long total = 0;
    bool ok = true;
    for (;;)
    {
        std::fill(buffer, buffer + kBlockSize, 0);
        stream->Read(buffer, kBlockSize);
        std::size_t got = stream->LastRead();
        if (got > 0)
        {
            if (!WriteAll(fd, buffer, got))
            {
                ok = false;
                break;
            }
            total += static_cast<long long>(got);
            if (afterBlock)
                afterBlock();
        }
        wxStreamError state = stream->GetLastError();
        if (state == wxSTREAM_EOF || (expectedLength >= 0 && total >= expectedLength))
            break;
        if (state != wxSTREAM_NO_ERROR || got == 0)
        {
            ok = false; // a read error, or a block of nothing before the end
            break;
        }
    }
    if (expectedLength >= 0 && total != expectedLength)
        ok = false;
    if (::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}

bool HttpDownload::SaveReplacing(const std::string& path, const std::function<void()>& afterBlock)
{
    const std::string temp = platform::TempPathFor(path);
    if (!Save(temp, afterBlock))
        return false;
    if (platform::ReplaceFile(temp, path))
        return true;
    std::remove(temp.c_str());
    return false;
}
