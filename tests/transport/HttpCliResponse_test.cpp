// What the HTTP client makes of the answers of scripted servers on 127.0.0.1: status
// lines, headers, bodies of every kind, and answers that break the rules.

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "tests/support/HttpRecorder.h"
#include "tests/support/HttpTestCalls.h"
#include "tests/support/ScriptedHttpPeer.h"
#include "transport/HttpProt/ChunkedBody.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::transport {
namespace {

using test::httpAnswer;
using test::HttpRaised;
using test::raisedHttp;
using test::ScriptedAnswer;
using test::ScriptedHttpPeer;
using End = ScriptedAnswer::End;

const HttpRaised kNothing{0, "(nothing raised)"};

struct Outcome {
    HttpRaised raised;
    std::string document;
    TWord error = 0;
};

// One blocking GET of /doc from a server that gives this answer.
Outcome Fetch(const ScriptedAnswer& answer, THttpCli& client) {
    ScriptedHttpPeer peer({answer});
    std::ostringstream document;
    client.SetURL(test::urlOf(peer, "/doc"));
    client.SetRcvdStream(&document);
    client.SetTimeout(5);
    Outcome outcome;
    outcome.raised = raisedHttp([&] { client.Get(); });
    outcome.document = document.str();
    outcome.error = client.RequestDoneError();
    client.SetRcvdStream(nullptr);
    return outcome;
}

Outcome Fetch(const ScriptedAnswer& answer) {
    THttpCli client;
    return Fetch(answer, client);
}

TEST(HttpResponse, StatusLinesAndHeadersAsTheyCome) {
    struct Case {
        const char* name;
        std::string answer;
        HttpRaised raised;
        std::string document;
        TWord error;
    };
    const std::string notHttp = "the server's answer is not an HTTP response";
    const std::string closed = "connection closed before the end of the header";
    const Case cases[] = {
        {"plain", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", kNothing, "ok", 0},
        {"no reason, no length", "HTTP/1.0 200\r\n\r\nto the end", kNothing, "to the end", 0},
        {"blank lines first", "\r\n\nHTTP/1.0 200 OK\r\n\r\nok", kNothing, "ok", 0},
        {"line feeds only", "HTTP/1.0 200 OK\nContent-Length: 2\n\nok", kNothing, "ok", 0},
        {"interim answer first",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", kNothing,
         "ok", 0},
        {"letters in the status", "HTTP/1.1 2OO OK\r\n\r\nbody", {404, notHttp}, "", 5},
        {"no status line", "Server: x\r\n\r\nbody", {404, notHttp}, "", 5},
        {"bad length",
         "HTTP/1.0 200 OK\r\nContent-Length: 1x\r\n\r\nbody",
         {404, "invalid content-length in the server's answer"},
         "",
         5},
        {"two lengths",
         "HTTP/1.0 200 OK\r\nContent-Length: 4\r\nContent-Length: 2\r\n\r\nbody",
         {404, "conflicting content-length in the server's answer"},
         "",
         5},
        {"the same length twice",
         "HTTP/1.0 200 OK\r\nContent-Length: 2\r\ncontent-length:  2\r\n\r\nok", kNothing, "ok", 0},
        {"negative length",
         "HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\nbody",
         {404, "invalid content-length in the server's answer"},
         "",
         5},
        {"unknown coding",
         "HTTP/1.0 200 OK\r\nTransfer-Encoding: gzip\r\n\r\nbody",
         {404, "unsupported transfer encoding in the server's answer"},
         "",
         5},
        {"nothing at all", "", {404, closed}, "", 5},
        {"cut inside the header", "HTTP/1.0 200 OK\r\nContent-Le", {404, closed}, "", 5},
        {"error status cut short",
         "HTTP/1.0 503 Busy now\r\nRetry-After: 5\r\n",
         {503, "Busy now"},
         "",
         0},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Fetch(ScriptedAnswer(c.answer));
        EXPECT_EQ(outcome.raised, c.raised) << c.name;
        EXPECT_EQ(outcome.document, c.document) << c.name;
        EXPECT_EQ(outcome.error, c.error) << c.name;
    }
}

TEST(HttpResponse, ErrorStatusRaisesWithoutReadingTheDocument) {
    THttpCli client;
    test::HttpRecorder events(client);
    const Outcome outcome =
        Fetch(ScriptedAnswer(httpAnswer("HTTP/1.0 404 Not Found here", {"Content-Type: text/html"},
                                        "<html>error page</html>")),
              client);
    EXPECT_EQ(outcome.raised, (HttpRaised{404, "Not Found here"}));
    EXPECT_EQ(outcome.document, "");
    EXPECT_EQ(events.document(), "");
    EXPECT_EQ(outcome.error, 0);

    const Outcome denied = Fetch(
        ScriptedAnswer(httpAnswer(
            "HTTP/1.0 401 Unauthorized",
            {"WWW-Authenticate: Basic realm=\"a\"", "WWW-Authenticate: Digest realm=\"b\""}, "")),
        client);
    EXPECT_EQ(denied.raised.code, 401);
    EXPECT_EQ(client.AuthenticationList(),
              (std::vector<std::string>{"Basic realm=\"a\"", "Digest realm=\"b\""}));
}

TEST(HttpResponse, TheDocumentEndsAtItsLengthOrItsLastChunk) {
    // Each server holds the connection after its answer: the client ends the request
    // itself, and without its time-out.
    struct Case {
        const char* name;
        std::string answer;
        std::string document;
    };
    const Case cases[] = {
        {"length", httpAnswer("HTTP/1.0 200 OK", {}, "exactly"), "exactly"},
        {"more than its length", "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", "abc"},
        {"length 0", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
        {"no content", "HTTP/1.1 204 No Content\r\n\r\n", ""},
        {"chunks",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
         "4\r\nWiki\r\n5;name=value\r\npedia\r\nE \r\n in\r\n\r\nchunks.\r\n0\r\nX-Trailer: "
         "t\r\n\r\n",
         "Wikipedia in\r\n\r\nchunks."},
    };
    for (const auto& c : cases) {
        THttpCli client;
        test::HttpRecorder events(client);
        const auto start = std::chrono::steady_clock::now();
        const Outcome outcome = Fetch(ScriptedAnswer(c.answer, End::Hold), client);
        EXPECT_EQ(outcome.raised, kNothing) << c.name;
        EXPECT_EQ(outcome.document, c.document) << c.name;
        EXPECT_EQ(events.document(), c.document) << c.name;
        EXPECT_EQ(client.RcvdCount(), static_cast<std::int64_t>(c.document.size())) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)) << c.name;
    }
}

TEST(HttpResponse, ADocumentThatEndsEarlyIsAFailure) {
    struct Case {
        const char* name;
        ScriptedAnswer answer;
        HttpRaised raised;
        std::string document;
        TWord error;
    };
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const Case cases[] = {
        {"short of its length",
         ScriptedAnswer("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabcd"),
         {404, "document truncated: 4 of 10 bytes received"},
         "abcd",
         httpErrTruncated},
        {"no last chunk",
         ScriptedAnswer(chunked + "3\r\nabc\r\n"),
         {404, "document truncated: the connection closed inside a chunk"},
         "abc",
         httpErrTruncated},
        {"bad chunk size",
         ScriptedAnswer(chunked + "3\r\nabc\r\nzz\r\n"),
         {404, "invalid chunked document: invalid chunk size"},
         "abc",
         httpErrBadResponse},
        {"reset",
         ScriptedAnswer("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nab", End::Reset),
         {404, "Connection reset by peer (Error #10054)"},
         "ab",
         10054},
    };
    for (const auto& c : cases) {
        THttpCli client;
        test::HttpRecorder events(client);
        const Outcome outcome = Fetch(c.answer, client);
        EXPECT_EQ(outcome.raised, c.raised) << c.name;
        EXPECT_EQ(outcome.document, c.document) << c.name;
        EXPECT_EQ(outcome.error, c.error) << c.name;
        EXPECT_EQ(events.count("doc end"), 1) << c.name;
    }
}

TEST(HttpResponse, LinesAndHeadersHaveLimits) {
    const Outcome longLine =
        Fetch(ScriptedAnswer("HTTP/1.0 200 OK\r\nX-Long: " + std::string(9000, 'a'), End::Hold));
    EXPECT_EQ(longLine.raised, (HttpRaised{404, "HTTP line too long"}));
    EXPECT_EQ(longLine.error, httpErrLineTooLong);

    // Exactly a full buffer without a line end fails at once, not at the time-out.
    const auto start = std::chrono::steady_clock::now();
    const Outcome fullBuffer = Fetch(ScriptedAnswer(std::string(8192, 'H'), End::Hold));
    EXPECT_EQ(fullBuffer.raised, (HttpRaised{404, "HTTP line too long"}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));

    std::string many = "HTTP/1.0 200 OK\r\n";
    while (many.size() <= kHttpMaxHeader) {
        many += "X-Field: " + std::string(90, 'v') + "\r\n";
    }
    const Outcome large = Fetch(ScriptedAnswer(many + "\r\nbody", End::Hold));
    EXPECT_EQ(large.raised, (HttpRaised{404, "HTTP header too large"}));
}

TEST(HttpResponse, DocumentWithoutAHeaderKeepsItsLineEnds) {
    THttpCli client;
    const std::string page = "<HTML>\r\n<body>x</body>\n</html>\r\n";
    const Outcome outcome = Fetch(ScriptedAnswer(page), client);
    EXPECT_EQ(outcome.raised, kNothing);
    EXPECT_EQ(outcome.document, page);
    EXPECT_EQ(client.ContentType(), "text/html");
    EXPECT_EQ(client.StatusCode(), 0);
}

TEST(HttpResponse, HtmlAnswersForProgramsOrBareNamesBecomeHtm) {
    struct Case {
        const char* path;
        const char* type;
        const char* docName;
    };
    const Case cases[] = {
        {"/setup.exe", "text/html; charset=utf-8", "setup.htm"},
        {"/readme", "TEXT/HTML", "readme.htm"},
        {"/setup.exe", "application/octet-stream", "setup.exe"},
        {"/page.php?id=3", "text/html", "page.php"},
        {"/dir/", "text/html", "document.htm"},
    };
    for (const auto& c : cases) {
        ScriptedHttpPeer peer(
            {httpAnswer("HTTP/1.0 200 OK", {std::string("Content-Type: ") + c.type}, "x")});
        THttpCli client;
        client.SetURL(test::urlOf(peer, c.path));
        client.Get();
        EXPECT_EQ(client.DocName(), c.docName) << c.path;
    }
}

// A stream that refuses every byte, as a full disk does.
class RefusingBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(HttpResponse, ADocumentThatCannotBeStoredIsAFailure) {
    ScriptedHttpPeer peer({ScriptedAnswer(httpAnswer("HTTP/1.0 200 OK", {}, "bytes"), End::Hold)});
    RefusingBuffer refusing;
    std::ostream sink(&refusing);
    THttpCli client;
    client.SetURL(test::urlOf(peer, "/doc"));
    client.SetRcvdStream(&sink);
    EXPECT_EQ(raisedHttp([&] { client.Get(); }), (HttpRaised{404, "cannot store the document"}));
    EXPECT_EQ(client.RequestDoneError(), httpErrLocal);
}

TEST(ChunkedBody, SplitAnywhereGivesTheSameDocument) {
    const std::string body =
        "4\r\nWiki\r\n5;x=\"y\"\r\npedia\r\na\r\n in chunks\r\n0\r\nT: 1\r\nU: 2\r\n\r\nignored";
    for (std::size_t cut = 0; cut <= body.size(); ++cut) {
        TChunkedBody decoder;
        std::string out;
        const auto sink = [&](const char* data, std::size_t len) {
            out.append(data, len);
            return true;
        };
        const auto first = decoder.Feed(body.data(), cut, sink);
        const auto second = first == TChunkedBody::chkDone
                                ? first
                                : decoder.Feed(body.data() + cut, body.size() - cut, sink);
        EXPECT_EQ(second, TChunkedBody::chkDone) << cut;
        EXPECT_EQ(out, "Wikipedia in chunks") << cut;
    }
}

TEST(ChunkedBody, SizesAndFramingAreChecked) {
    const auto decode = [](const std::string& bytes, std::string* error = nullptr) {
        TChunkedBody decoder;
        const auto result =
            decoder.Feed(bytes.data(), bytes.size(), [](const char*, std::size_t) { return true; });
        if (error != nullptr) {
            *error = decoder.Error();
        }
        return result;
    };
    std::string error;
    EXPECT_EQ(decode("1000000000000000\r\n", &error), TChunkedBody::chkError);
    EXPECT_EQ(error, "invalid chunk size");
    EXPECT_EQ(decode("fffffffffffffff\r\n"), TChunkedBody::chkMore);  // large, but a size
    EXPECT_EQ(decode("\r\n"), TChunkedBody::chkError);
    EXPECT_EQ(decode("3x\r\n"), TChunkedBody::chkError);
    EXPECT_EQ(decode("3\r\nabcd\r\n", &error), TChunkedBody::chkError);
    EXPECT_EQ(error, "chunk data longer than its size");
    EXPECT_EQ(decode(std::string(5000, '1')), TChunkedBody::chkError);
    EXPECT_EQ(decode("0\r\n" + std::string(70000, 't')), TChunkedBody::chkError);
    EXPECT_EQ(decode("0\r\n\r\n"), TChunkedBody::chkDone);
    TChunkedBody refused;
    EXPECT_EQ(refused.Feed("1\r\na", 4, [](const char*, std::size_t) { return false; }),
              TChunkedBody::chkError);
}

}  // namespace
}  // namespace vantorell::transport
