#include "designer/rtnCubeServer/ServerLookup.h"

#include <algorithm>
#include <exception>
#include <ostream>
#include <streambuf>

#include "platform/EventLoop.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell {
namespace {

// Keeps the page up to the limit; a byte beyond it fails the stream, which ends the request.
class LookupPageBuffer : public std::streambuf {
public:
    const std::string& text() const { return text_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::size_t room = kLookupPageLimit - text_.size();
        const std::size_t taken = std::min(room, static_cast<std::size_t>(n));
        text_.append(s, taken);
        return static_cast<std::streamsize>(taken);
    }

private:
    std::string text_;
};

}  // namespace

std::string strFtpHostFromLookupPage(const std::string& body) {
    const std::size_t open = body.find("[FTP]");
    const std::size_t close = body.find("[/FTP]");
    if (open == std::string::npos || close == std::string::npos || close <= open + 6) {
        return std::string();
    }
    return body.substr(open + 5, close - open - 5);
}

std::string strFTPServerUrlGet(const TransferSettings& transfer, const std::string& lookupUrl,
                               std::chrono::milliseconds deadline) {
    try {
        transport::THttpCli http;
        http.SetProxy(transfer.strHTTPProxyAddress);
        http.SetProxyPort(std::to_string(transfer.intHTTPProxyPort));
        http.SetURL(lookupUrl);
        LookupPageBuffer page;
        std::ostream body(&page);
        http.SetRcvdStream(&body);
        http.GetASync();
        const WaitEnd end =
            waitForMessagesUntil([&http] { return http.State() == transport::httpReady; },
                                 std::chrono::steady_clock::now() + deadline);
        if (end != WaitEnd::Done) {
            http.Abort();
            return std::string();
        }
        // Every failure of the client's own has set a status of 400 or more.
        if (http.StatusCode() >= 400) {
            return std::string();
        }
        return strFtpHostFromLookupPage(page.text());
    } catch (const std::exception&) {
        return std::string();
    }
}

}  // namespace vantorell
