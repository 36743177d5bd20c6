#include "transport/WSocket/AsyncLookup.h"

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "transport/WSocket/HiddenWindow.h"
#include "transport/WSocket/PosixApi.h"
#include "transport/WSocket/WinsockErrors.h"

namespace vantorell::transport {
namespace {

using Lookup = std::function<std::optional<THostEnt>()>;

class LookupJob : public MessagePayload {
public:
    LookupJob(THandle handle, HWND window, THostEnt* buffer)
        : handle_(handle), window_(window), buffer_(buffer) {}

    // On the worker: keep the outcome and post the completion unless cancelled.
    void Finish(std::optional<THostEnt> entry, int error, unsigned message,
                const std::shared_ptr<LookupJob>& self) {
        std::lock_guard lock(mutex_);
        if (window_ == nullptr) {
            return;
        }
        entry_ = std::move(entry);
        PostMessage(window_, message, handle_, MakeSelectParam(0, error), self);
    }

    // On the window's thread, before the completion is dispatched.
    bool Deliver() override;

    // False when the job had already been delivered or cancelled.
    bool Cancel() {
        std::lock_guard lock(mutex_);
        const bool pending = window_ != nullptr;
        window_ = nullptr;
        return pending;
    }

    HWND Window() {
        std::lock_guard lock(mutex_);
        return window_;
    }

    THandle handle_;

private:
    std::mutex mutex_;
    HWND window_;
    THostEnt* buffer_;
    std::optional<THostEnt> entry_;
};

std::mutex jobsMutex;
std::map<THandle, std::shared_ptr<LookupJob>>& Jobs() {
    static std::map<THandle, std::shared_ptr<LookupJob>> jobs;
    return jobs;
}
std::atomic<THandle> nextHandle{1};

void Forget(THandle handle) {
    std::lock_guard lock(jobsMutex);
    Jobs().erase(handle);
}

bool LookupJob::Deliver() {
    {
        std::lock_guard lock(mutex_);
        if (window_ == nullptr) {
            return false;
        }
        window_ = nullptr;
        if (buffer_ != nullptr) {
            *buffer_ = entry_.value_or(THostEnt{});
        }
    }
    Forget(handle_);
    return true;
}

THandle Start(HWND hWnd, unsigned wMsg, THostEnt* buf, Lookup lookup) {
    if (hWnd == nullptr) {
        SetThreadLastError(WSAEINVAL);
        return 0;
    }
    const THandle handle = nextHandle++;
    auto job = std::make_shared<LookupJob>(handle, hWnd, buf);
    {
        std::lock_guard lock(jobsMutex);
        Jobs()[handle] = job;
    }
    // The error of the blocking call is the worker's own last error.
    const auto lastError = WinsockApi().WSAGetLastError;
    std::thread([job, wMsg, lookup = std::move(lookup), lastError] {
        std::optional<THostEnt> entry = lookup();
        const int error = entry ? 0 : (lastError() != 0 ? lastError() : WSANO_RECOVERY);
        job->Finish(std::move(entry), error, wMsg, job);
    }).detach();
    return handle;
}

}  // namespace

void CancelLookupsFor(HWND Wnd) {
    std::lock_guard lock(jobsMutex);
    auto& jobs = Jobs();
    for (auto it = jobs.begin(); it != jobs.end();) {
        if (it->second->Window() == Wnd) {
            it->second->Cancel();
            it = jobs.erase(it);
        } else {
            ++it;
        }
    }
}

void AddAsyncCalls(TWinsockApi& api) {
    api.WSAAsyncGetHostByName = [](HWND hWnd, unsigned wMsg, const std::string& name,
                                   THostEnt* buf) {
        const auto byName = WinsockApi().gethostbyname;
        return Start(hWnd, wMsg, buf, [byName, name] { return byName(name); });
    };
    api.WSAAsyncGetHostByAddr = [](HWND hWnd, unsigned wMsg, std::uint32_t addr, int len, int type,
                                   THostEnt* buf) {
        const auto byAddr = WinsockApi().gethostbyaddr;
        return Start(hWnd, wMsg, buf,
                     [byAddr, addr, len, type] { return byAddr(addr, len, type); });
    };
    api.WSACancelAsyncRequest = [](THandle hAsyncTaskHandle) {
        std::shared_ptr<LookupJob> job;
        {
            std::lock_guard lock(jobsMutex);
            const auto it = Jobs().find(hAsyncTaskHandle);
            if (it != Jobs().end()) {
                job = it->second;
                Jobs().erase(it);
            }
        }
        if (!job || !job->Cancel()) {
            SetThreadLastError(WSAEINVAL);
            return SOCKET_ERROR;
        }
        return 0;
    };
}

}  // namespace vantorell::transport
