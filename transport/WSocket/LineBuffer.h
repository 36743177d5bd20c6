#pragma once
// The receive buffer of line mode: bytes are appended at the end and taken from the front.
// Every operation costs in proportion to the bytes it adds or takes, however small the
// pieces the data arrives in: taken bytes are dropped by moving a start offset (the rest
// moves to the front only once it is no larger than what was taken), and a search for the
// line end resumes where the previous one stopped.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vantorell::transport {

class TLineBuffer {
public:
    std::size_t Count() const { return data_.size() - start_; }
    const char* Data() const { return data_.data() + start_; }

    // Lets Read put up to Size bytes behind the buffered ones; keeps as many as it
    // reports and returns its result (below 0: nothing was added).
    int ReadFrom(std::size_t Size, const std::function<int(char* Buffer, int Size)>& Read);

    // The position of the first LineEnd in the buffer, searching only where no earlier
    // search has looked (a line end split over two reads is found).
    std::optional<std::size_t> FindLineEnd(const std::string& LineEnd);
    // The next search looks at the whole buffer (the line end changed).
    void Rescan() { scanned_ = 0; }

    // Copies up to Size bytes from the front into Buffer and drops them; the count copied.
    std::size_t Take(char* Buffer, std::size_t Size);
    void Drop(std::size_t Size);
    void Clear();
    // Empties the buffer and gives its memory back.
    void Release();

    struct TEditResult {
        std::string Echo;    // what to send back to the peer, with echo on
        std::size_t Lowest;  // the lowest position the editing changed
    };
    // Applies backspace (erases the last byte, but none of the first Keep bytes) and tab
    // (blanks up to the next multiple of 8, at least one) to the last NewCount bytes.
    TEditResult Edit(std::size_t NewCount, std::size_t Keep, bool Echo);

private:
    void Compact();

    std::string data_;
    std::size_t start_ = 0;    // bytes at the front already taken
    std::size_t scanned_ = 0;  // bytes from the front that a search has looked at
};

}  // namespace vantorell::transport
