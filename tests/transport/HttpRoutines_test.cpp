// The free routines of the HTTP unit: URLs, encodings, dates, document names, the lines
// of a request and of a response, and where a request and its redirections go.

#include <gtest/gtest.h>

#include "transport/HttpProt/DocName.h"
#include "transport/HttpProt/Encodings.h"
#include "transport/HttpProt/HttpDate.h"
#include "transport/HttpProt/HttpTarget.h"
#include "transport/HttpProt/Redirection.h"
#include "transport/HttpProt/RequestHeader.h"
#include "transport/HttpProt/ResponseHeader.h"
#include "transport/HttpProt/UrlRoutines.h"

namespace vantorell::transport {
namespace {

struct UrlParts {
    std::string proto, user, pass, host, port, path;
    bool operator==(const UrlParts&) const = default;
};

void PrintTo(const UrlParts& p, std::ostream* os) {
    *os << "{" << p.proto << "|" << p.user << "|" << p.pass << "|" << p.host << "|" << p.port << "|"
        << p.path << "}";
}

UrlParts Parse(const std::string& url, const std::string& previousPath = "") {
    UrlParts p;
    p.proto = "x";
    p.path = previousPath;
    ParseURL(url, p.proto, p.user, p.pass, p.host, p.port, p.path);
    return p;
}

TEST(ParseURL, SplitsEveryFormItKnows) {
    struct Case {
        const char* url;
        UrlParts parts;
    };
    const Case cases[] = {
        {"http://h/dir/file.zip", {"http", "", "", "h", "", "/dir/file.zip"}},
        {"http://u:p@h:8080/x?q=1", {"http", "u", "p", "h", "8080", "/x?q=1"}},
        {"http://u@h", {"http", "u", "", "h", "", ""}},
        {"http://u:p:w@x@h:1/", {"http", "u", "p:w@x", "h", "1", "/"}},
        {"http://h?q", {"http", "", "", "h", "", "?q"}},
        {"HTTP://Host/A", {"http", "", "", "Host", "", "/A"}},
        {"ftp://h/f", {"ftp", "", "", "h", "", "/f"}},
        {"www.x.com/a?u=http://b", {"http", "", "", "www.x.com", "", "/a?u=http://b"}},
        {"/only/path", {"http", "", "", "", "", "/only/path"}},
        {"http:relative", {"http", "", "", "", "", "relative"}},
        {"MailTo:someone@x", {"mailto", "", "", "", "", "someone@x"}},
        {"h:81/p", {"", "", "", "h", "81", "/p"}},
        {"h", {"", "", "", "h", "", ""}},
        {"", {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(c.url), c.parts) << c.url;
    }
}

TEST(ParseURL, RelativeFormsBuildOnThePreviousPath) {
    EXPECT_EQ(Parse("./b.htm", "/dir/a.htm").path, "/dir/b.htm");
    EXPECT_EQ(Parse("./b.htm", "a.htm").path, "/b.htm");
    EXPECT_EQ(Parse("../b.htm", "/d1/d2/a.htm").path, "/d1/b.htm");
    EXPECT_EQ(Parse("../../b.htm", "/d1/d2/a.htm").path, "/b.htm");
    EXPECT_EQ(Parse("../../../b.htm", "/d1/a.htm").path, "/b.htm");
    EXPECT_EQ(Parse("../b.htm", "/d1/d2/a.htm").host, "");
}

TEST(Posn, CountsFromEitherEnd) {
    EXPECT_EQ(Posn("/", "/a/b/c", 1), 1);
    EXPECT_EQ(Posn("/", "/a/b/c", 3), 5);
    EXPECT_EQ(Posn("/", "/a/b/c", 4), 0);
    EXPECT_EQ(Posn("/", "/a/b/c", -1), 5);
    EXPECT_EQ(Posn("/", "/a/b/c", -3), 1);
    EXPECT_EQ(Posn("/", "/a/b/c", -4), 0);
    EXPECT_EQ(Posn("aa", "aaa", 2), 2);  // occurrences may overlap
    EXPECT_EQ(Posn("/", "/a", 0), 0);
    EXPECT_EQ(Posn("long", "lo", 1), 0);
}

TEST(UrlEncoding, EncodesAllButLettersAndDigitsAndDecodesUpToAnAmpersand) {
    EXPECT_EQ(UrlEncode("a b/C9\xE9"), "a%20b%2FC9%E9");
    EXPECT_EQ(UrlDecode("a%20b+c%2fd&rest"), "a b c/d");
    // A "%" without two hex digits stays: nothing is read beyond the text.
    EXPECT_EQ(UrlDecode("100%"), "100%");
    EXPECT_EQ(UrlDecode("%4"), "%4");
    EXPECT_EQ(UrlDecode("%zz1"), "%zz1");
    EXPECT_EQ(htoin("  1aZ", 5), 0x1a);
    EXPECT_EQ(htoi2("ff"), 255);
    EXPECT_EQ(XDigit('g'), 0);
}

TEST(Encodings, Base64AndUuencodeLines) {
    EXPECT_EQ(EncodeStr(encBase64, ""), "");
    EXPECT_EQ(EncodeStr(encBase64, "f"), "Zg==");
    EXPECT_EQ(EncodeStr(encBase64, "fo"), "Zm8=");
    EXPECT_EQ(EncodeStr(encBase64, "foo"), "Zm9v");
    EXPECT_EQ(EncodeStr(encMime, "user:"), "dXNlcjo=");
    EXPECT_EQ(EncodeStr(encBase64, "\xff\xfe\xfd"), "//79");
    // Length character, then four table characters per group of three.
    EXPECT_EQ(EncodeStr(encUUEncode, "Cat"), "#0V%T");
    EXPECT_EQ(EncodeLine(encUUEncode, "\0", 1), "!````");
    EXPECT_EQ(EncodeLine(encUUEncode, "\0\0", 2), "\"````");
}

TEST(RFC1123Date, DayNameDateAndTime) {
    EXPECT_EQ(RFC1123_Date(45292.0), "Mon, 01 Jan 2024 00:00:00");
    EXPECT_EQ(RFC1123_Date(45292.5), "Mon, 01 Jan 2024 12:00:00");
    EXPECT_EQ(RFC1123_Date(25569.0 + 86399.0 / 86400.0), "Thu, 01 Jan 1970 23:59:59");
    EXPECT_EQ(RFC1123_Date(45351.0), "Thu, 29 Feb 2024 00:00:00");
    // Before 1900 the day name is still one of the week's.
    EXPECT_EQ(RFC1123_Date(0.0), "Sat, 30 Dec 1899 00:00:00");
    EXPECT_EQ(RFC1123_Date(-1.0), "Fri, 29 Dec 1899 00:00:00");
}

TEST(DocName, LastSegmentOrDocumentHtm) {
    EXPECT_EQ(AdjustDocName("/dir/file.zip"), "file.zip");
    EXPECT_EQ(AdjustDocName("/dir/file.zip?x=/y"), "file.zip");
    EXPECT_EQ(AdjustDocName("/dir/"), "document.htm");
    EXPECT_EQ(AdjustDocName(""), "document.htm");
    EXPECT_EQ(AdjustDocName("/dir/?q"), "document.htm");
    EXPECT_EQ(AdjustDocName("/a/.."), "document.htm");
    EXPECT_EQ(AdjustDocName("/."), "document.htm");
    EXPECT_EQ(AdjustDocName("/" + std::string(300, 'n')).size(), 255u);
    std::string name = "setup.exe";
    ReplaceExt(name, "htm");
    EXPECT_EQ(name, "setup.htm");
    name = "readme";
    ReplaceExt(name, "htm");
    EXPECT_EQ(name, "readme.htm");
}

TEST(ResponseHeader, StatusLinesAndFields) {
    int code = 0;
    std::string reason;
    EXPECT_TRUE(ParseStatusLine("HTTP/1.1 302 Found elsewhere", code, reason));
    EXPECT_EQ(code, 302);
    EXPECT_EQ(reason, "Found elsewhere");
    EXPECT_TRUE(ParseStatusLine("HTTP/1.0 200", code, reason));
    EXPECT_EQ(reason, "");
    for (const char* bad : {"HTTP/1.1 2OO OK", "HTTP/1.1 20", "HTTP/1.1 2000 OK", "HTTP/11 200",
                            "HTTP/1.1200 OK", "ICY 200 OK", ""}) {
        EXPECT_FALSE(ParseStatusLine(bad, code, reason)) << bad;
    }
    std::string name, value;
    EXPECT_TRUE(SplitHeaderLine("Content-Type:   text/HTML", name, value));
    EXPECT_EQ(name, "content-type");
    EXPECT_EQ(value, "text/HTML");
    EXPECT_FALSE(SplitHeaderLine("no colon", name, value));
    EXPECT_EQ(MediaType("text/html; charset=utf-8"), "text/html");

    std::int64_t length = -1;
    EXPECT_TRUE(ParseContentLength(" 1234 ", length));
    EXPECT_EQ(length, 1234);
    EXPECT_TRUE(ParseContentLength("9223372036854775000", length));
    for (const char* bad : {"", "-1", "12a", "1 2", "99999999999999999999", "0x10"}) {
        EXPECT_FALSE(ParseContentLength(bad, length)) << bad;
    }
    std::string first, last;
    ParseContentRange("bytes 100-199/1000", first, last);
    EXPECT_EQ(first, "100");
    EXPECT_EQ(last, "199");
    ParseContentRange("bytes 5", first, last);
    EXPECT_EQ(first, "5");
    EXPECT_EQ(last, "");
    ParseContentRange("bad", first, last);
    EXPECT_EQ(first + last, "");
}

TEST(RequestHeader, LinesInOrderEachWhenGiven) {
    THttpRequestFields f;
    f.Method = "GET";
    f.Path = "/dir/file.zip";
    f.TargetHost = "h";
    EXPECT_EQ(BuildRequestLines(f),
              (std::vector<std::string>{"GET /dir/file.zip HTTP/1.0", "Host: h"}));

    f.Method = "POST";
    f.Sender = "me@x";
    f.Accept = "*/*";
    f.Reference = "http://r/";
    f.AcceptLanguage = "en";
    f.ContentTypePost = "text/plain";
    f.Agent = "A";
    f.NoCache = true;
    f.PostSize = 12;
    f.ModifiedSince = 45292.5;
    f.Username = "user";
    f.Password = "";
    f.ViaProxy = true;
    f.ProxyUsername = "pu";
    f.ProxyPassword = "pp";
    f.Cookie = "c=1";
    f.RangeBegin = "10";
    EXPECT_EQ(
        BuildRequestLines(f),
        (std::vector<std::string>{
            "POST /dir/file.zip HTTP/1.0", "From: me@x", "Accept: */*", "Referer: http://r/",
            "Accept-Language: en", "Content-Type: text/plain", "User-Agent: A", "Host: h",
            "Pragma: no-cache", "Content-Length: 12",
            "If-Modified-Since: Mon, 01 Jan 2024 12:00:00 GMT", "Authorization: Basic dXNlcjo=",
            "Proxy-Authorization: Basic cHU6cHA=", "Cookie: c=1", "Range: bytes=10-"}));

    // The content type and the proxy's credentials only where they apply.
    f.Method = "GET";
    f.ViaProxy = false;
    const auto lines = BuildRequestLines(f);
    for (const auto& line : lines) {
        EXPECT_NE(line.rfind("Content-", 0), 0u) << line;
        EXPECT_NE(line.rfind("Proxy-", 0), 0u) << line;
    }
}

TEST(RequestHeader, LineBreaksAndMaskedCredentials) {
    EXPECT_FALSE(HasLineBreak("GET / HTTP/1.0"));
    EXPECT_TRUE(HasLineBreak("a\rb"));
    EXPECT_TRUE(HasLineBreak("a\nb"));
    EXPECT_TRUE(HasLineBreak(std::string("a\0b", 3)));
    EXPECT_EQ(MaskCredentials("Authorization: Basic dXNlcjpwdw=="), "Authorization: ********");
    EXPECT_EQ(MaskCredentials("Proxy-Authorization: Basic cHU6cHA="),
              "Proxy-Authorization: ********");
    EXPECT_EQ(MaskCredentials("Host: h"), "Host: h");
}

TEST(HttpTarget, DirectOrThroughAProxy) {
    THttpWhere w = HttpRequestTarget("http://u:p@h:8080/d/f?q", "", "80");
    EXPECT_EQ(w.HostName, "h");
    EXPECT_EQ(w.Port, "8080");
    EXPECT_EQ(w.TargetHost, "h");
    EXPECT_EQ(w.Path, "/d/f?q");
    EXPECT_EQ(w.User + ":" + w.Pass, "u:p");

    w = HttpRequestTarget("http://h/d/f", "p:8080", "80");
    EXPECT_EQ(w.HostName, "p");
    EXPECT_EQ(w.Port, "8080");
    EXPECT_EQ(w.TargetHost, "h");
    EXPECT_EQ(w.Path, "http://h/d/f");

    w = HttpRequestTarget("h:81", "p", "3128");
    EXPECT_EQ(w.Port, "3128");
    EXPECT_EQ(w.Path, "http://h:81/");

    w = HttpRequestTarget("http://h", "", "80");
    EXPECT_EQ(w.Port, "80");
    EXPECT_EQ(w.Path, "/");
}

TEST(Redirection, NewTargetFromTheLocation) {
    struct Case {
        const char* value;
        bool proxy;
        const char* location;
        const char* path;
        const char* host;  // connected to
        const char* port;
        TRedirect result;
    };
    const Case cases[] = {
        {"/new/x", false, "http://h:8080/new/x", "/new/x", "h", "8080", TRedirect::Followed},
        {"y.htm", false, "http://h:8080/d/y.htm", "/d/y.htm", "h", "8080", TRedirect::Followed},
        {"y.htm#part", false, "http://h:8080/d/y.htm", "/d/y.htm", "h", "8080",
         TRedirect::Followed},
        {"http://h:8080/z", false, "http://h:8080/z", "/z", "h", "8080", TRedirect::Followed},
        {"http://o", false, "http://o/", "/", "o", "80", TRedirect::OtherServer},
        {"HTTP://o:81/a", false, "http://o:81/a", "/a", "o", "81", TRedirect::OtherServer},
        {"//o/a", false, "http://o/a", "/a", "o", "80", TRedirect::OtherServer},
        {"/new/x", true, "http://h:8080/new/x", "http://h:8080/new/x", "p", "3128",
         TRedirect::Followed},
        {"y.htm", true, "http://h:8080/d/y.htm", "http://h:8080/d/y.htm", "p", "3128",
         TRedirect::Followed},
        {"http://o/a", true, "http://o/a", "http://o/a", "p", "3128", TRedirect::OtherServer},
    };
    for (const auto& c : cases) {
        THttpWhere w = c.proxy ? HttpRequestTarget("http://h:8080/d/f?q=a/b", "p:3128", "80")
                               : HttpRequestTarget("http://h:8080/d/f?q=a/b", "", "80");
        EXPECT_EQ(HttpFollowLocation(w, c.value, c.proxy), c.result) << c.value;
        EXPECT_EQ(w.Location, c.location) << c.value;
        EXPECT_EQ(w.Path, c.path) << c.value;
        EXPECT_EQ(w.HostName, c.host) << c.value;
        EXPECT_EQ(w.Port, c.port) << c.value;
    }
}

TEST(Redirection, CredentialsOfTheLocationAndSchemesNotSpoken) {
    THttpWhere w = HttpRequestTarget("http://a:b@h/x", "", "80");
    EXPECT_EQ(HttpFollowLocation(w, "http://u:p@h/y", false), TRedirect::Followed);
    EXPECT_EQ(w.User + ":" + w.Pass, "u:p");
    EXPECT_EQ(HttpFollowLocation(w, "http://u@h/y", false), TRedirect::Followed);
    EXPECT_EQ(w.User + w.Pass, "");  // a user alone is not taken
    for (const char* value : {"https://h/y", "ftp://h/y", "http:///nohost"}) {
        THttpWhere before = HttpRequestTarget("http://h/x", "", "80");
        THttpWhere after = before;
        EXPECT_EQ(HttpFollowLocation(after, value, false), TRedirect::Unsupported) << value;
        EXPECT_EQ(after.Location, before.Location) << value;
    }
}

}  // namespace
}  // namespace vantorell::transport
