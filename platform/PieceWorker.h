#pragma once
// A worker thread that consumes whole pieces of an output while its writer goes on producing
// it: the model writer's records are hashed into the change digest and written to the file,
// the file cipher's blocks are encoded into body lines and written, on the worker; on a large
// model hashing and writing cost about as much as making the records.
//
// The thread starts with the first piece handed over, so a model smaller than a piece never
// starts one. At most kPiecesInFlight pieces wait for or are with the worker; the writer
// waits for room beyond that, which bounds the memory whatever the speed of the disk.
//
// Synchronisation: every field below mutex_ is read and written only under it. The worker
// consumes a piece outside the lock; the piece's buffer has left the writer's hands then
// (it was moved into queue_) and comes back only through spare_, under the lock. The state a
// consumer changes (the digest's context, the file) is touched by the writer again only
// after finish() or the destructor, both of which wait for the worker under the lock or by
// joining it, so the worker's changes happen before the writer's next ones.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/WorkerThread.h"

namespace vantorell {

class PieceWorker {
public:
    // What the worker does with one piece. It may raise; the writer then gets the exception.
    using Consume = std::function<void(std::string_view piece)>;

    // Pieces are as large as the file writes out without copying them.
    static constexpr std::size_t kPieceSize = AtomicFile::kBufferSize;
    // Enough for the digest and the file to have a piece each with the worker while a third
    // waits, so that the writer rarely waits at all.
    static constexpr std::size_t kPiecesInFlight = 3;

    PieceWorker() = default;
    // Stops the worker and waits for it: the piece it is consuming is finished, pieces not
    // yet started are dropped (the writer is abandoning its output).
    ~PieceWorker();
    PieceWorker(const PieceWorker&) = delete;
    PieceWorker& operator=(const PieceWorker&) = delete;

    bool started() const { return thread_.joinable(); }

    // Hands piece[0 .. used) to the worker, which passes it to `consume`; pieces are consumed
    // in the order they are handed over. `piece` comes back as a buffer of the same size to
    // fill next. Waits while kPiecesInFlight pieces are with the worker. Raises the exception
    // of a consumer that failed (then `piece` is left as it was). When no thread can be
    // started, the piece is consumed on the calling thread before this returns.
    void handOver(std::vector<char>& piece, std::size_t used, Consume consume);

    // Waits until every piece handed over is consumed; raises the exception of a consumer
    // that failed. Without a thread it returns at once.
    void finish();

private:
    struct Piece {
        std::vector<char> bytes;
        std::size_t used;
        Consume consume;
    };

    void run();

    WorkerThread thread_;  // started and joined by the writer only

    std::mutex mutex_;
    std::condition_variable work_;  // the worker waits for a piece or the stop
    std::condition_variable room_;  // the writer waits for room, for the end or for a failure
    std::deque<Piece> queue_;       // handed over, not started
    bool consuming_ = false;        // the worker holds a piece outside the lock
    std::vector<std::vector<char>> spare_;  // consumed buffers, for the writer to fill again
    std::exception_ptr failure_;            // the first exception of a consumer
    bool stopping_ = false;
};

}  // namespace vantorell
