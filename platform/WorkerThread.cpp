#include "platform/WorkerThread.h"

#include <pthread.h>

#include <memory>
#include <system_error>
#include <utility>

namespace vantorell {
namespace {

static_assert(sizeof(pthread_t) <= sizeof(unsigned long));

void* runBody(void* argument) {
    const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
    (*body)();
    return nullptr;
}

}  // namespace

WorkerThread::WorkerThread(std::function<void()> body) {
    pthread_attr_t attributes;
    int error = pthread_attr_init(&attributes);
    if (error == 0) {
        error = pthread_attr_setstacksize(&attributes, kStackSize);
        if (error == 0) {
            auto owned = std::make_unique<std::function<void()>>(std::move(body));
            pthread_t thread{};
            error = pthread_create(&thread, &attributes, runBody, owned.get());
            if (error == 0) {
                owned.release();  // the thread owns it now
                thread_ = static_cast<unsigned long>(thread);
                started_ = true;
            }
        }
        pthread_attr_destroy(&attributes);
    }
    if (error != 0) {
        throw std::system_error(error, std::generic_category(), "A worker thread could not start");
    }
}

WorkerThread::~WorkerThread() {
    join();
}

WorkerThread::WorkerThread(WorkerThread&& other) noexcept
    : thread_(other.thread_), started_(std::exchange(other.started_, false)) {}

WorkerThread& WorkerThread::operator=(WorkerThread&& other) noexcept {
    if (this != &other) {
        join();
        thread_ = other.thread_;
        started_ = std::exchange(other.started_, false);
    }
    return *this;
}

void WorkerThread::join() {
    if (started_) {
        pthread_join(static_cast<pthread_t>(thread_), nullptr);
        started_ = false;
    }
}

}  // namespace vantorell
