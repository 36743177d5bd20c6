#pragma once
// The records of one block of a model file, made ahead and held until the block's turn to be
// written (RecordWriter::writeBlock): the records length-prefixed, as the change digest takes
// them, and for a plain file also as the lines the file gets.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "designer/rtnReaderWriter/LengthPrefix.h"
#include "designer/rtnReaderWriter/ShortCopy.h"

namespace vantorell {

class RecordBuffer {
public:
    // `writing`: the block goes to a file (the writer then refuses numbers a file cannot hold);
    // `plainLines`: to a plain file, whose lines are made here as well.
    RecordBuffer(bool writing, bool plainLines) : writing_(writing), plainLines_(plainLines) {}

    bool writing() const { return writing_; }

    // A record the writer formed itself: no line break, only characters a protected copy
    // carries.
    void writeFormed(std::string_view record) {
        records_.append(record.size() + kLongestLengthPrefix,
                        [&](char* at) { return putLengthPrefixed(at, record); });
        if (plainLines_) {
            lines_.append(record.size() + 2, [&](char* at) {
                copyShort(at, record.data(), record.size());
                at[record.size()] = '\r';
                at[record.size() + 1] = '\n';
                return at + record.size() + 2;
            });
        }
    }

    void clear() {
        records_.clear();
        lines_.clear();
    }

    // Calls `f` with each piece of the records, in order. No record is cut between pieces.
    template <typename F>
    void forEachRecordPiece(F f) const {
        records_.forEach(f);
    }
    // Calls `f` with each piece of the lines, in order.
    template <typename F>
    void forEachLinePiece(F f) const {
        lines_.forEach(f);
    }

private:
    // Bytes held in pieces of their own, so that growing never moves what is written and a
    // record is written in place with no filling of the room first.
    class Pieces {
    public:
        template <typename Put>
        void append(std::size_t most, Put put) {
            if (pieces_.empty() || pieces_.back().room() < most) {
                pieces_.emplace_back(std::max(kPieceSize, most));
            }
            Piece& piece = pieces_.back();
            piece.size =
                static_cast<std::size_t>(put(piece.data.get() + piece.size) - piece.data.get());
        }
        void clear() { pieces_.clear(); }
        template <typename F>
        void forEach(F f) const {
            for (const Piece& piece : pieces_) {
                f(std::string_view(piece.data.get(), piece.size));
            }
        }

    private:
        // Below the size at which the allocator maps fresh memory for each piece.
        static constexpr std::size_t kPieceSize = 64 * 1024;

        struct Piece {
            explicit Piece(std::size_t capacity)
                : data(std::make_unique_for_overwrite<char[]>(capacity)), capacity(capacity) {}
            std::size_t room() const { return capacity - size; }
            std::unique_ptr<char[]> data;
            std::size_t capacity;
            std::size_t size = 0;
        };
        std::vector<Piece> pieces_;
    };

    bool writing_;
    bool plainLines_;
    Pieces records_;
    Pieces lines_;
};

}  // namespace vantorell
