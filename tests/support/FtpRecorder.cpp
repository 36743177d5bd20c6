#include "tests/support/FtpRecorder.h"

namespace vantorell::test {

using transport::TFtpRequest;
using transport::TObject;
using transport::TWord;

FtpRecorder::FtpRecorder(transport::TCustomFtpCli& client) : client_(client) {
    client.OnDisplay = [this](TObject*, std::string& msg) { display_.push_back(msg); };
    client.OnDisplayFile = [this](TObject*, std::string& msg) { files_.push_back(msg); };
    client.OnRequestDone = [this](TObject*, TFtpRequest request, TWord error) {
        done_.push_back(text(request, error));
    };
}

FtpRecorder::~FtpRecorder() {
    client_.OnDisplay = nullptr;
    client_.OnDisplayFile = nullptr;
    client_.OnRequestDone = nullptr;
}

std::string FtpRecorder::text(TFtpRequest request, int error) {
    return "done " + std::to_string(request) + " " + std::to_string(error);
}

std::string FtpRecorder::waitDone(std::chrono::milliseconds deadline) {
    if (!waitUntil([this] { return done_.size() > taken_; }, deadline)) {
        return "";
    }
    return done_[taken_++];
}

}  // namespace vantorell::test
