#include "tests/support/SocksRecorder.h"

#include <algorithm>

namespace vantorell::test {

using transport::TObject;
using transport::TSocksAuthState;
using transport::TWord;

SocksRecorder::SocksRecorder(transport::TCustomSocksWSocket& socket) : socket_(socket) {
    socket.OnSocksConnected = [this](TObject*, TWord e) {
        events_.push_back("socks connected " + std::to_string(e));
    };
    socket.OnSocksError = [this](TObject*, int e, const std::string& msg) {
        events_.push_back("socks error " + std::to_string(e) + " " + msg);
    };
    socket.OnSocksAuthState = [this](TObject*, TSocksAuthState state) {
        static const char* const kNames[] = {"auth start", "auth success", "auth failure",
                                             "auth not required"};
        events_.push_back(kNames[state]);
    };
    socket.OnSessionConnected = [this](TObject*, TWord e) {
        events_.push_back("connected " + std::to_string(e));
    };
    socket.OnSessionClosed = [this](TObject*, TWord e) {
        events_.push_back("closed " + std::to_string(e));
    };
    socket.OnDataAvailable = [this](TObject*, TWord) {
        char buffer[65536];
        const int n = socket_.Receive(buffer, sizeof buffer);
        if (n > 0) {
            received_.append(buffer, static_cast<std::size_t>(n));
        }
    };
}

SocksRecorder::~SocksRecorder() {
    socket_.OnSocksConnected = nullptr;
    socket_.OnSocksError = nullptr;
    socket_.OnSocksAuthState = nullptr;
    socket_.OnSessionConnected = nullptr;
    socket_.OnSessionClosed = nullptr;
    socket_.OnDataAvailable = nullptr;
}

bool SocksRecorder::waitFor(const std::string& event, std::chrono::milliseconds deadline) const {
    return waitUntil(
        [&] { return std::find(events_.begin(), events_.end(), event) != events_.end(); },
        deadline);
}

bool SocksRecorder::waitForReceived(std::size_t size, std::chrono::milliseconds deadline) const {
    return waitUntil([&] { return received_.size() >= size; }, deadline);
}

}  // namespace vantorell::test
