#include "launcher/http_download.h"

#include <wx/log.h>
#include <wx/protocol/http.h>
#include <wx/url.h>

#include <algorithm>

namespace
{

constexpr std::size_t kBlockSize = 8192;

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

bool HttpDownload::Fetch(std::string& body, const std::function<void()>& afterBlock)
{
    body.clear();
    if (!stream)
        return false;
    char buffer[kBlockSize];
    for (;;)
    {
        std::fill(buffer, buffer + kBlockSize, 0);
        stream->Read(buffer, kBlockSize);
        std::size_t got = stream->LastRead();
        if (got > 0)
        {
            if (body.size() + got > kMaxBody)
                return false;
            body.append(buffer, got);
            if (afterBlock)
                afterBlock();
        }
        wxStreamError state = stream->GetLastError();
        const long long total = static_cast<long long>(body.size());
        if (state == wxSTREAM_EOF || (expectedLength >= 0 && total >= expectedLength))
            break;
        if (state != wxSTREAM_NO_ERROR || got == 0)
            return false; // a read error, or a block of nothing before the end
    }
    return expectedLength < 0 || static_cast<long long>(body.size()) == expectedLength;
}
