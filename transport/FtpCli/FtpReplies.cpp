#include "transport/FtpCli/FtpReplies.h"

#include <algorithm>
#include <cstdint>

namespace vantorell::transport {

std::size_t FtpReplyLines::Room() const {
    return FDropping ? kBufferSize - 1 : kBufferSize - 1 - FHeld.size();
}

void FtpReplyLines::Append(const char* Data, std::size_t Len) {
    if (!FDropping) {
        FHeld.append(Data, std::min(Len, Room()));
        return;
    }
    // Only the end of the cut line matters: keep what follows it.
    const char* end = Data + Len;
    const char* lf = std::find(Data, end, '\n');
    if (lf == end) {
        return;
    }
    FDropping = false;
    FHeld.append(lf + 1, std::min(static_cast<std::size_t>(end - lf - 1), Room()));
}

bool FtpReplyLines::NextLine(bool AcceptLF, std::string& Line) {
    std::size_t length = std::string::npos;
    std::size_t consumed = 0;
    if (AcceptLF) {
        length = FHeld.find('\n');
        consumed = length + 1;
    } else {
        length = FHeld.find("\r\n");
        consumed = length + 2;
    }
    if (length == std::string::npos) {
        if (FHeld.size() >= kBufferSize - 1 && !FDropping) {
            // Longer than the buffer: the line keeps what arrived, the rest is dropped.
            FDropping = true;
            length = FHeld.size();
            consumed = length;
        } else {
            return false;
        }
    }
    Line.assign(FHeld, 0, length);
    while (!Line.empty() && (Line.back() == '\r' || Line.back() == '\n')) {
        Line.pop_back();
    }
    FHeld.erase(0, consumed);
    if (FDropping) {
        FHeld.clear();
    }
    return true;
}

void FtpReplyLines::Clear() {
    FHeld.clear();
    FDropping = false;
}

std::size_t FtpGetInteger(const std::string& Line, std::size_t Pos, std::int64_t& Value) {
    while (Pos < Line.size() &&
           (Line[Pos] == ' ' || Line[Pos] == '\t' || Line[Pos] == '\r' || Line[Pos] == '\n')) {
        ++Pos;
    }
    bool negative = false;
    if (Pos < Line.size() && (Line[Pos] == '+' || Line[Pos] == '-')) {
        negative = Line[Pos] == '-';
        ++Pos;
    }
    std::uint64_t value = 0;
    while (Pos < Line.size() && Line[Pos] >= '0' && Line[Pos] <= '9') {
        value = value * 10u + static_cast<std::uint64_t>(Line[Pos] - '0');
        ++Pos;
    }
    // Wraps instead of overflowing, like the fixed-size value it is read into.
    Value = static_cast<std::int64_t>(negative ? 0u - value : value);
    return Pos;
}

std::size_t FtpGetInteger(const std::string& Line, std::size_t Pos, int& Value) {
    std::int64_t wide = 0;
    Pos = FtpGetInteger(Line, Pos, wide);
    Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
    return Pos;
}

std::string FtpGetQuotedString(const std::string& Line, std::size_t Pos) {
    while (Pos < Line.size() && Line[Pos] == ' ') {
        ++Pos;
    }
    if (Pos >= Line.size() || Line[Pos] != '"') {
        return std::string();
    }
    std::string text;
    for (++Pos; Pos < Line.size(); ++Pos) {
        if (Line[Pos] == '"') {
            if (Pos + 1 < Line.size() && Line[Pos + 1] == '"') {
                text.push_back('"');
                ++Pos;
                continue;
            }
            break;
        }
        text.push_back(Line[Pos]);
    }
    return text;
}

bool FtpReplyCode(const std::string& Line, int& Code, bool& Final) {
    if (Line.empty() || Line[0] < '0' || Line[0] > '9') {
        return false;
    }
    const std::size_t behind = FtpGetInteger(Line, 0, Code);
    Final = behind >= Line.size() || Line[behind] != '-';
    return true;
}

bool FtpPasvAddress(const std::string& Reply, std::string& Addr, std::uint16_t& Port) {
    std::size_t pos = Reply.find('(');
    if (pos == std::string::npos) {
        return false;
    }
    ++pos;
    int parts[6] = {0};
    for (int i = 0; i < 6; ++i) {
        const char end = i < 5 ? ',' : ')';
        const std::size_t stop = Reply.find(end, pos);
        if (stop == std::string::npos) {
            return false;
        }
        std::size_t first = pos;
        std::size_t last = stop;
        while (first < last && Reply[first] == ' ') {
            ++first;
        }
        while (last > first && Reply[last - 1] == ' ') {
            --last;
        }
        if (first == last || last - first > 3) {
            return false;
        }
        for (std::size_t k = first; k < last; ++k) {
            if (Reply[k] < '0' || Reply[k] > '9') {
                return false;
            }
        }
        parts[i] = std::stoi(Reply.substr(first, last - first));
        if (parts[i] > 255) {
            return false;
        }
        pos = stop + 1;
    }
    Addr = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
           std::to_string(parts[2]) + "." + std::to_string(parts[3]);
    Port = static_cast<std::uint16_t>(parts[4] * 256 + parts[5]);
    return true;
}

}  // namespace vantorell::transport
