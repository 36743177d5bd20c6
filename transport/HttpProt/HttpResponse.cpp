// The response side: received bytes split into header lines, the header's fields, the
// document, and the end of a response however it comes.

#include <algorithm>
#include <cstring>

#include "transport/HttpProt/DocName.h"
#include "transport/HttpProt/FireEvent.h"
#include "transport/HttpProt/HttpCli.h"
#include "transport/HttpProt/Redirection.h"
#include "transport/HttpProt/ResponseHeader.h"
#include "transport/WSocket/SocketErrors.h"

namespace vantorell::transport {
namespace {

std::string Extension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerCase(name.substr(dot));
}

bool StartsWithHtmlTag(const std::string& line) {
    return line.size() >= 6 && LowerCase(line.substr(0, 6)) == "<html>";
}

}  // namespace

void THttpCli::SocketDataAvailable(TObject*, TWord) {
    if (FBodyPhase && !FFinished && FRequestType != httpAbort) {
        FBodyBuffer.resize(kHttpBodyChunk);
        const int count = FCtrlSocket->Receive(FBodyBuffer.data(), kHttpBodyChunk);
        if (count > 0) {
            Progress();
            BodyData(FBodyBuffer.data(), static_cast<std::size_t>(count));
        }
        return;
    }
    if (kHttpReceiveSize - FReceiveLen < 1) {
        Fail("HTTP line too long", httpErrLineTooLong);
        return;
    }
    const int count =
        FCtrlSocket->Receive(FReceiveBuffer + FReceiveLen, kHttpReceiveSize - FReceiveLen);
    if (FRequestType == httpAbort || count <= 0 || FFinished) {
        return;
    }
    Progress();
    if (FBodyPhase) {
        BodyData(FReceiveBuffer, static_cast<std::size_t>(count));
        return;
    }
    FReceiveLen += count;
    FReceiveBuffer[FReceiveLen] = '\0';

    int start = 0;
    while (!FFinished && !FBodyPhase && FCtrlSocket->State() == wsConnected &&
           start < FReceiveLen) {
        const char* begin = FReceiveBuffer + start;
        const auto* feed = static_cast<const char*>(
            std::memchr(begin, '\n', static_cast<std::size_t>(FReceiveLen - start)));
        if (feed == nullptr) {
            break;
        }
        const int end = static_cast<int>(feed - FReceiveBuffer);
        int lineEnd = end;
        if (lineEnd > start && FReceiveBuffer[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        FLastResponse.assign(begin, static_cast<std::size_t>(lineEnd - start));
        FLastLineEnd.assign(FReceiveBuffer + lineEnd, static_cast<std::size_t>(end + 1 - lineEnd));
        FHeaderBytes += static_cast<std::size_t>(end + 1 - start);
        start = end + 1;
        if (FState != httpWaitingHeader && FState != httpWaitingBody) {
            FireEvent(OnDataAvailable, this, FLastResponse.data(),
                      static_cast<int>(FLastResponse.size()));
        } else if (FHeaderBytes > kHttpMaxHeader) {
            Fail("HTTP header too large", httpErrLineTooLong);
        } else if (FNext != nullptr) {
            (this->*FNext)();
        } else {
            SetReady();
        }
    }
    if (FFinished || FCtrlSocket->State() != wsConnected) {
        FReceiveLen = 0;  // ended, or closed for a redirection
        return;
    }
    if (FBodyPhase) {
        const int rest = FReceiveLen - start;
        FReceiveLen = 0;
        if (rest > 0) {
            BodyData(FReceiveBuffer + start, static_cast<std::size_t>(rest));
        }
        return;
    }
    FReceiveLen -= start;
    std::memmove(FReceiveBuffer, FReceiveBuffer + start, static_cast<std::size_t>(FReceiveLen));
    FReceiveBuffer[FReceiveLen] = '\0';
    // A full buffer without a line end can never become a line.
    if (FReceiveLen >= kHttpReceiveSize) {
        Fail("HTTP line too long", httpErrLineTooLong);
    }
}

void THttpCli::GetHeaderLineNext() {
    const std::string& line = FLastResponse;
    if (FHeaderLineCount == 0 && line.empty()) {
        return;  // blank lines before the status line
    }
    if (FHeaderLineCount == 0 && !FHeaderFlag) {
        TriggerHeaderBegin();
    }
    ++FHeaderLineCount;
    if (StartsWithHtmlTag(line)) {
        // A document without any header.
        if (FContentType.empty()) {
            FContentType = "text/html";
        }
        StartBody();
        if (FFinished) {
            return;
        }
        const std::string first = line + FLastLineEnd;
        BodyData(first.data(), first.size());
        return;
    }
    if (FHeaderLineCount == 1) {
        int code = 0;
        std::string reason;
        if (!ParseStatusLine(line, code, reason)) {
            Fail("the server's answer is not an HTTP response", httpErrBadResponse);
            return;
        }
    }
    if (line.empty()) {
        HeaderEnded();
    } else {
        HeaderField(line);
    }
}

void THttpCli::HeaderField(const std::string& Line) {
    FRcvdHeader.push_back(Line);
    std::string name;
    std::string value;
    if (LooksLikeStatusLine(Line)) {
        int code = 0;
        std::string reason;
        if (ParseStatusLine(Line, code, reason)) {
            FStatusCode = code;
            FReasonPhrase = reason;
        }
    } else if (SplitHeaderLine(Line, name, value)) {
        if (name == "location") {
            // Only a redirection moves the request; the first location counts.
            if (FStatusCode >= 300 && FStatusCode < 400 && !FLocationFlag) {
                FLocationFlag = true;
                const TRedirect result = HttpFollowLocation(FWhere, value, !FProxy.empty());
                FRedirectSupported = result != TRedirect::Unsupported;
                FRedirectOtherServer = result == TRedirect::OtherServer;
                if (FRedirectSupported) {
                    FLocation = FWhere.Location;
                }
            }
        } else if (name == "content-length") {
            std::int64_t length = 0;
            if (!ParseContentLength(value, length)) {
                Fail("invalid content-length in the server's answer", httpErrBadResponse);
                return;
            }
            // Two lengths leave the document's end in doubt: which bytes belong to it
            // cannot be told.
            if (FContentLength >= 0 && FContentLength != length) {
                Fail("conflicting content-length in the server's answer", httpErrBadResponse);
                return;
            }
            FContentLength = length;
        } else if (name == "content-range") {
            ParseContentRange(value, FContentRangeBegin, FContentRangeEnd);
        } else if (name == "accept-ranges") {
            FAcceptRanges = value;
        } else if (name == "content-type") {
            FContentType = LowerCase(value);
        } else if (name == "www-authenticate") {
            FAuthenticationList.push_back(value);
        } else if (name == "set-cookie") {
            bool accept = true;
            TriggerCookie(value, accept);
        } else if (name == "transfer-encoding") {
            const std::string coding = LowerCase(TrimBlanks(value));
            if (coding == "chunked") {
                FChunked = true;
            } else if (coding != "identity") {
                Fail("unsupported transfer encoding in the server's answer", httpErrBadResponse);
                return;
            }
        }
    }
    FireEvent(OnHeaderData, this);
}

void THttpCli::StartBody() {
    if (FFinished) {
        return;
    }
    StateChange(httpWaitingBody);
    FNext = &THttpCli::GetBodyLineNext;
    FBodyPhase = true;
    TriggerHeaderEnd();
}

bool THttpCli::BodyExpected() const {
    return FRequestType != httpHEAD && FStatusCode != 204 && FStatusCode != 304 &&
           FContentLength != 0;
}

void THttpCli::HeaderEnded() {
    if (FStatusCode >= 100 && FStatusCode < 200) {
        // An interim answer: the real one follows on the same connection.
        FRcvdHeader.clear();
        FHeaderLineCount = 0;
        FStatusCode = 0;
        FReasonPhrase.clear();
        FContentLength = -1;
        FChunked = false;
        FLocationFlag = false;
        return;
    }
    if (FLocationFlag) {
        TriggerHeaderEnd();
        if (FFinished) {
            return;
        }
        if (!FRedirectSupported) {
            FLocationFlag = false;
            Fail("cannot follow the redirection: not an http location", httpErrRedirection);
            return;
        }
        if (++FRedirections > kHttpMaxRedirections) {
            FLocationFlag = false;
            Fail("too many redirections", httpErrRedirection);
            return;
        }
        FReceiveLen = 0;
        FHeaderLineCount = 0;
        FBodyLineCount = 0;
        // The redirection goes on once the close is reported.
        FCtrlSocket->OnSessionClosed = [this](TObject* S, TWord E) { LocationSessionClosed(S, E); };
        FCtrlSocket->Close();
        return;
    }
    if (FStatusCode >= 400) {
        // The error page is not read.
        StartBody();
        FinishRequest();
        return;
    }
    if (!BodyExpected()) {
        TriggerHeaderEnd();
        FinishRequest();
        return;
    }
    if (FFinished) {
        return;
    }
    const std::string extension = Extension(FDocName);
    if ((extension == ".exe" || extension.empty()) && MediaType(FContentType) == "text/html") {
        ReplaceExt(FDocName, "htm");
    }
    StartBody();
}

void THttpCli::BodyData(const char* Data, std::size_t Len) {
    if (FChunked) {
        const auto result = FChunkedBody.Feed(
            Data, Len,
            [this](const char* Piece, std::size_t Size) { return StoreBody(Piece, Size); });
        if (FFinished) {
            return;
        }
        if (result == TChunkedBody::chkError) {
            Fail("invalid chunked document: " + FChunkedBody.Error(), httpErrBadResponse);
        } else if (result == TChunkedBody::chkDone) {
            DocumentComplete();
        }
        return;
    }
    std::size_t take = Len;
    if (FContentLength >= 0) {
        take = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(Len), FContentLength - FRcvdCount));
    }
    if (take > 0 && !StoreBody(Data, take)) {
        return;
    }
    // Bytes beyond the announced length are not the document's.
    if (FContentLength >= 0 && FRcvdCount >= FContentLength) {
        DocumentComplete();
    }
}

bool THttpCli::StoreBody(const char* Data, std::size_t Len) {
    FLastResponse.assign(Data, Len);
    GetBodyLineNext();
    return !FFinished;
}

void THttpCli::GetBodyLineNext() {
    if (FBodyLineCount == 0) {
        TriggerDocBegin();
        if (FFinished) {
            return;
        }
    }
    ++FBodyLineCount;
    FRcvdCount += static_cast<std::int64_t>(FLastResponse.size());
    if (FRcvdStream != nullptr) {
        FRcvdStream->write(FLastResponse.data(),
                           static_cast<std::streamsize>(FLastResponse.size()));
        if (!*FRcvdStream) {
            Fail("cannot store the document", httpErrLocal);
            return;
        }
    }
    TriggerDocData(FLastResponse.data(), static_cast<int>(FLastResponse.size()));
}

void THttpCli::DocumentComplete() {
    if (FBodyLineCount > 0) {
        TriggerDocEnd();
    }
    FinishRequest();
}

void THttpCli::SocketSessionClosed(TObject*, TWord Error) {
    if (FFinished) {
        return;
    }
    if (Error != 0) {
        FRequestDoneError = Error;
    }
    FConnected = false;
    if (!FBodyPhase) {
        SessionClosedInHeader(Error);
        return;
    }
    if (!FFailed) {
        if (Error != 0) {
            LocalFailure(ConnectFailureText(Error), Error);
        } else if (FChunked && !FChunkedBody.Done()) {
            LocalFailure("document truncated: the connection closed inside a chunk",
                         httpErrTruncated);
        } else if (FContentLength >= 0 && FRcvdCount < FContentLength) {
            LocalFailure("document truncated: " + std::to_string(FRcvdCount) + " of " +
                             std::to_string(FContentLength) + " bytes received",
                         httpErrTruncated);
        }
    }
    if (FBodyLineCount > 0) {
        TriggerDocEnd();
    }
    FinishRequest();
}

void THttpCli::SessionClosedInHeader(TWord Error) {
    if (FHeaderFlag) {
        TriggerHeaderEnd();
    }
    if (FLocationFlag && !FFailed) {
        FLocationFlag = false;
        if (!FRedirectSupported) {
            LocalFailure("cannot follow the redirection: not an http location", httpErrRedirection);
        } else if (++FRedirections > kHttpMaxRedirections) {
            LocalFailure("too many redirections", httpErrRedirection);
        } else {
            LocationSessionClosed(FCtrlSocket.get(), Error);
            return;
        }
    }
    if (!FFailed) {
        if (Error != 0) {
            LocalFailure(ConnectFailureText(Error), Error);
        } else if (FStatusCode < 400) {
            LocalFailure("connection closed before the end of the header", httpErrBadResponse);
        }
    }
    FinishRequest();
}

void THttpCli::LocalFailure(const std::string& Reason, TWord Error) {
    FFailed = true;
    FStatusCode = 404;
    FReasonPhrase = Reason;
    if (Error != 0) {
        FRequestDoneError = Error;
    }
}

void THttpCli::Fail(const std::string& Reason, TWord Error) {
    LocalFailure(Reason, Error);
    SocketSessionClosed(FCtrlSocket.get(), 0);
}

// The one end of every request: the socket is closed without a further report, and the
// posted message sets the client ready and reports the request as done.
void THttpCli::FinishRequest() {
    if (FFinished) {
        return;
    }
    FFinished = true;
    FConnected = false;
    TWSocket& socket = *FCtrlSocket;
    if (socket.State() != wsClosed) {
        socket.OnSessionClosed = nullptr;
        socket.Close();
    }
    socket.OnSessionClosed = [this](TObject* S, TWord E) { SocketSessionClosed(S, E); };
    SetReady();
}

}  // namespace vantorell::transport
