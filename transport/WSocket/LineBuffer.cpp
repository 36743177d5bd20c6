#include "transport/WSocket/LineBuffer.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vantorell::transport {
namespace {

constexpr char kBackspace = 8;
constexpr char kTab = 9;
constexpr std::size_t kTabWidth = 8;

}  // namespace

int TLineBuffer::ReadFrom(std::size_t Size, const std::function<int(char*, int)>& Read) {
    const std::size_t old = data_.size();
    data_.resize(old + Size);
    const int result = Read(data_.data() + old, static_cast<int>(Size));
    data_.resize(old + static_cast<std::size_t>(std::clamp(result, 0, static_cast<int>(Size))));
    return result;
}

std::optional<std::size_t> TLineBuffer::FindLineEnd(const std::string& LineEnd) {
    if (LineEnd.empty()) {
        return std::nullopt;
    }
    const std::string_view buffered(Data(), Count());
    // A line end may begin up to its length less one before the bytes not yet looked at.
    const std::size_t from = scanned_ >= LineEnd.size() ? scanned_ - (LineEnd.size() - 1) : 0;
    const std::size_t found = buffered.find(LineEnd, from);
    if (found == std::string_view::npos) {
        scanned_ = Count();
        return std::nullopt;
    }
    scanned_ = found;
    return found;
}

std::size_t TLineBuffer::Take(char* Buffer, std::size_t Size) {
    const std::size_t count = std::min(Size, Count());
    std::memcpy(Buffer, Data(), count);
    Drop(count);
    return count;
}

void TLineBuffer::Drop(std::size_t Size) {
    Size = std::min(Size, Count());
    start_ += Size;
    scanned_ = scanned_ > Size ? scanned_ - Size : 0;
    Compact();
}

void TLineBuffer::Compact() {
    if (start_ == data_.size()) {
        data_.clear();
        start_ = 0;
    } else if (start_ >= Count()) {
        // Moves no more than was taken since the last move: linear in all.
        data_.erase(0, start_);
        start_ = 0;
    }
}

void TLineBuffer::Clear() {
    data_.clear();
    start_ = 0;
    scanned_ = 0;
}

void TLineBuffer::Release() {
    std::string().swap(data_);
    start_ = 0;
    scanned_ = 0;
}

TLineBuffer::TEditResult TLineBuffer::Edit(std::size_t NewCount, std::size_t Keep, bool Echo) {
    NewCount = std::min(NewCount, Count());
    const std::size_t first = data_.size() - NewCount;
    TEditResult result{std::string(), first - start_};
    const std::string_view incoming(data_.data() + first, NewCount);
    if (incoming.find_first_of(std::string_view("\b\t", 2)) == std::string_view::npos) {
        if (Echo) {
            result.Echo.assign(incoming);
        }
        return result;
    }
    const std::string received(incoming);
    data_.resize(first);
    for (const char c : received) {
        if (c == kBackspace) {
            if (Count() > Keep) {
                if (Echo) {
                    result.Echo += "\b \b";
                }
                data_.pop_back();
                result.Lowest = std::min(result.Lowest, Count());
            }
        } else if (c == kTab) {
            do {
                data_ += ' ';
                if (Echo) {
                    result.Echo += ' ';
                }
            } while (Count() % kTabWidth != 0);
        } else {
            data_ += c;
            if (Echo) {
                result.Echo += c;
            }
        }
    }
    scanned_ = std::min(scanned_, result.Lowest);
    return result;
}

}  // namespace vantorell::transport
