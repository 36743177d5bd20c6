#include "platform/PieceWorker.h"

#include <system_error>
#include <utility>

namespace vantorell {

PieceWorker::~PieceWorker() {
    if (!thread_.joinable()) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    thread_.join();
}

void PieceWorker::handOver(std::vector<char>& piece, std::size_t used, Consume consume) {
    if (!thread_.joinable()) {
        try {
            thread_ = WorkerThread([this] { run(); });
        } catch (const std::system_error&) {
            // No thread to be had: this piece is consumed here, and the next one tries again.
            consume(std::string_view(piece.data(), used));
            return;
        }
    }
    const std::size_t size = piece.size();
    std::vector<char> next;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [this] {
            return failure_ || queue_.size() + (consuming_ ? 1 : 0) < kPiecesInFlight;
        });
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        queue_.push_back(Piece{std::move(piece), used, std::move(consume)});
        if (!spare_.empty()) {
            next = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    work_.notify_one();
    // Only the first few pieces allocate: after them the buffers go round.
    next.resize(size);
    piece = std::move(next);
}

void PieceWorker::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [this] { return failure_ || (queue_.empty() && !consuming_); });
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

void PieceWorker::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        work_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        Piece piece = std::move(queue_.front());
        queue_.pop_front();
        consuming_ = true;
        lock.unlock();

        std::exception_ptr failure;
        try {
            piece.consume(std::string_view(piece.bytes.data(), piece.used));
        } catch (...) {
            failure = std::current_exception();
        }

        lock.lock();
        consuming_ = false;
        spare_.push_back(std::move(piece.bytes));
        if (failure && !failure_) {
            // The pieces after a failed one are of no use: the output is lost already.
            failure_ = failure;
            for (Piece& dropped : queue_) {
                spare_.push_back(std::move(dropped.bytes));
            }
            queue_.clear();
        }
        room_.notify_one();
    }
}

}  // namespace vantorell
