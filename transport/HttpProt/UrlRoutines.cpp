#include "transport/HttpProt/UrlRoutines.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vantorell::transport {
namespace {

bool IsSchemeChar(char c) {
    // Schemes are case-insensitive: an upper-case one is taken as its lower-case form.
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || IsDigit(c) || c == '+' || c == '-' ||
           c == '.';
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The folder of a path, with its trailing "/"; "/" when it names none.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "/" : path.substr(0, slash + 1);
}

void SplitAuthority(const std::string& authority, std::string& User, std::string& Pass,
                    std::string& Host, std::string& Port) {
    const auto at = authority.rfind('@');
    const auto colon = authority.rfind(':');
    std::size_t hostEnd = authority.size();
    if (colon != std::string::npos && (at == std::string::npos || colon > at)) {
        Port = authority.substr(colon + 1);
        hostEnd = colon;
    }
    const std::size_t hostBegin = at == std::string::npos ? 0 : at + 1;
    Host = authority.substr(hostBegin, hostEnd - hostBegin);
    if (at != std::string::npos) {
        const std::string userInfo = authority.substr(0, at);
        const auto separator = userInfo.find(':');
        if (separator == std::string::npos) {
            User = userInfo;
        } else {
            User = userInfo.substr(0, separator);
            Pass = userInfo.substr(separator + 1);
        }
    }
}

}  // namespace

void ParseURL(const std::string& URL, std::string& Proto, std::string& User, std::string& Pass,
              std::string& Host, std::string& Port, std::string& Path) {
    const std::string previous = Path;
    Proto.clear();
    User.clear();
    Pass.clear();
    Host.clear();
    Port.clear();
    Path.clear();

    if (URL.rfind("./", 0) == 0) {
        Path = FolderOf(previous) + URL.substr(2);
        return;
    }
    if (URL.rfind("../", 0) == 0) {
        std::string base = FolderOf(previous);
        std::string rest = URL;
        while (rest.rfind("../", 0) == 0) {
            rest.erase(0, 3);
            // "/a/b/" loses "b/"; the root stays.
            if (base.size() > 1) {
                const auto slash = base.rfind('/', base.size() - 2);
                base.erase(slash == std::string::npos ? 0 : slash + 1);
            }
        }
        Path = (base.empty() ? "/" : base) + rest;
        return;
    }

    std::string rest;
    const auto marker = URL.find("://");
    if (marker != std::string::npos) {
        const bool scheme =
            std::all_of(URL.begin(), URL.begin() + static_cast<long>(marker), IsSchemeChar);
        if (scheme) {
            Proto = Lower(URL.substr(0, marker));
            rest = URL.substr(marker + 3);
        } else {
            Proto = "http";
            rest = URL;
        }
    } else if (URL.size() >= 1 && URL[0] == '/' && (URL.size() == 1 || URL[1] != '/')) {
        Proto = "http";
        Path = URL;
        return;
    } else if (StartsWithNoCase(URL, "http:") && (URL.size() == 5 || URL[5] != '/')) {
        Proto = "http";
        Path = URL.substr(5);
        return;
    } else if (StartsWithNoCase(URL, "mailto:")) {
        Proto = "mailto";
        Path = URL.substr(7);
        return;
    } else {
        rest = URL;
    }

    const auto pathBegin = rest.find_first_of("/?");
    if (pathBegin != std::string::npos) {
        Path = rest.substr(pathBegin);
        rest.erase(pathBegin);
    }
    SplitAuthority(rest, User, Pass, Host, Port);
}

int Posn(const std::string& Sub, const std::string& Text, int N) {
    if (N == 0 || Sub.empty() || Sub.size() > Text.size()) {
        return 0;
    }
    if (N > 0) {
        std::size_t from = 0;
        for (;;) {
            const auto found = Text.find(Sub, from);
            if (found == std::string::npos) {
                return 0;
            }
            if (--N == 0) {
                return static_cast<int>(found) + 1;
            }
            from = found + 1;
        }
    }
    std::size_t from = Text.size() - Sub.size();
    for (;;) {
        const auto found = Text.rfind(Sub, from);
        if (found == std::string::npos) {
            return 0;
        }
        if (++N == 0) {
            return static_cast<int>(found) + 1;
        }
        if (found == 0) {
            return 0;
        }
        from = found - 1;
    }
}

namespace {

void AppendEscaped(std::string& Out, unsigned char Byte) {
    static const char kHex[] = "0123456789ABCDEF";
    Out += '%';
    Out += kHex[Byte >> 4];
    Out += kHex[Byte & 15];
}

bool RawInTarget(unsigned char Byte) {
    if (Byte <= ' ' || Byte >= 127) {
        return Byte == '\r' || Byte == '\n' || Byte == '\0';
    }
    return std::string_view("\"#<>[\\]^`{|}").find(static_cast<char>(Byte)) ==
           std::string_view::npos;
}

}  // namespace

std::string UrlEncode(const std::string& S) {
    std::string result;
    result.reserve(S.size());
    for (const char c : S) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 && byte < 128) {
            result += c;
        } else {
            AppendEscaped(result, byte);
        }
    }
    return result;
}

std::string EncodeRequestTarget(const std::string& Target) {
    std::string result;
    result.reserve(Target.size());
    for (const char c : Target) {
        const auto byte = static_cast<unsigned char>(c);
        if (RawInTarget(byte)) {
            result += c;
        } else {
            AppendEscaped(result, byte);
        }
    }
    return result;
}

std::string UrlDecode(const std::string& S) {
    std::string result;
    for (std::size_t i = 0; i < S.size() && S[i] != '&'; ++i) {
        const char c = S[i];
        if (c == '%' && i + 2 < S.size() && IsXDigit(S[i + 1]) && IsXDigit(S[i + 2])) {
            result += static_cast<char>(htoi2(S.data() + i + 1));
            i += 2;
        } else if (c == '+') {
            result += ' ';
        } else {
            result += c;
        }
    }
    return result;
}

bool IsDigit(char Ch) {
    return Ch >= '0' && Ch <= '9';
}

bool IsXDigit(char Ch) {
    return IsDigit(Ch) || (Ch >= 'a' && Ch <= 'f') || (Ch >= 'A' && Ch <= 'F');
}

int XDigit(char Ch) {
    if (IsDigit(Ch)) {
        return Ch - '0';
    }
    if (Ch >= 'a' && Ch <= 'f') {
        return Ch - 'a' + 10;
    }
    if (Ch >= 'A' && Ch <= 'F') {
        return Ch - 'A' + 10;
    }
    return 0;
}

int htoin(const char* Value, int Len) {
    int i = 0;
    while (i < Len && Value[i] == ' ') {
        ++i;
    }
    unsigned result = 0;
    for (; i < Len && IsXDigit(Value[i]); ++i) {
        result = result * 16u + static_cast<unsigned>(XDigit(Value[i]));
    }
    return static_cast<int>(result);
}

int htoi2(const char* Value) {
    return htoin(Value, 2);
}

}  // namespace vantorell::transport
