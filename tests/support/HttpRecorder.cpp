#include "tests/support/HttpRecorder.h"

#include <algorithm>

namespace vantorell::test {

using namespace transport;

HttpRecorder::HttpRecorder(THttpCli& client) : client_(client) {
    auto note = [this](const char* text) {
        return [this, text](TObject*) { events_.push_back(text); };
    };
    client.OnStateChange = [this](TObject*) {
        events_.push_back("state " + std::to_string(client_.State()));
    };
    client.OnSessionConnected = note("connected");
    client.OnHeaderBegin = note("header begin");
    client.OnHeaderData = note("header data");
    client.OnHeaderEnd = note("header end");
    client.OnDocBegin = note("doc begin");
    client.OnDocEnd = note("doc end");
    client.OnLocationChange = note("location");
    client.OnSendBegin = note("send begin");
    client.OnSendEnd = note("send end");
    client.OnCookie = [this](TObject*, const std::string& Data, bool&) {
        events_.push_back("cookie " + Data);
    };
    client.OnDocData = [this](TObject*, const void* Buffer, int Len) {
        document_.append(static_cast<const char*>(Buffer), static_cast<std::size_t>(Len));
    };
    client.OnRequestDone = [this](TObject*, THttpRequest RqType, TWord Error) {
        events_.push_back("done " + std::to_string(RqType) + " " + std::to_string(Error));
    };
}

HttpRecorder::~HttpRecorder() {
    client_.OnStateChange = nullptr;
    client_.OnSessionConnected = nullptr;
    client_.OnHeaderBegin = nullptr;
    client_.OnHeaderData = nullptr;
    client_.OnHeaderEnd = nullptr;
    client_.OnDocBegin = nullptr;
    client_.OnDocEnd = nullptr;
    client_.OnLocationChange = nullptr;
    client_.OnSendBegin = nullptr;
    client_.OnSendEnd = nullptr;
    client_.OnCookie = nullptr;
    client_.OnDocData = nullptr;
    client_.OnRequestDone = nullptr;
}

bool HttpRecorder::has(const std::string& event) const {
    return count(event) > 0;
}

int HttpRecorder::count(const std::string& event) const {
    return static_cast<int>(std::count(events_.begin(), events_.end(), event));
}

std::vector<std::string> HttpRecorder::withoutStates() const {
    std::vector<std::string> result;
    std::copy_if(events_.begin(), events_.end(), std::back_inserter(result),
                 [](const std::string& e) { return e.rfind("state ", 0) != 0; });
    return result;
}

bool HttpRecorder::waitDone(int times, std::chrono::milliseconds deadline) const {
    return waitUntil(
        [&] {
            return std::count_if(events_.begin(), events_.end(), [](const std::string& e) {
                       return e.rfind("done ", 0) == 0;
                   }) >= times;
        },
        deadline);
}

}  // namespace vantorell::test
