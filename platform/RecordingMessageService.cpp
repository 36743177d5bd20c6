#include "platform/RecordingMessageService.h"

#include <utility>

namespace vantorell {

RecordingMessageService::RecordingMessageService(FailureHandler onFailure)
    : onFailure_(std::move(onFailure)) {}

RecordingMessageService::~RecordingMessageService() {
    if (!script_.empty() && onFailure_) {
        onFailure_("expected message never shown: \"" + script_.front().text + "\"");
    }
}

RecordingMessageService& RecordingMessageService::expect(const std::string& text,
                                                         MessageAnswer answer) {
    script_.push_back({text, true, answer});
    return *this;
}

RecordingMessageService& RecordingMessageService::expectContaining(const std::string& piece,
                                                                   MessageAnswer answer) {
    script_.push_back({piece, false, answer});
    return *this;
}

RecordingMessageService& RecordingMessageService::allowContaining(const std::string& piece,
                                                                  MessageAnswer answer) {
    allowed_.push_back({piece, false, answer});
    return *this;
}

MessageAnswer RecordingMessageService::show(const MessageRequest& request) {
    shown_.push_back(request);
    if (!script_.empty()) {
        const Expected& next = script_.front();
        const bool match = next.exact ? request.text == next.text
                                      : request.text.find(next.text) != std::string::npos;
        if (match) {
            const MessageAnswer answer = next.answer;
            script_.pop_front();
            return answer;
        }
    }
    for (const Expected& a : allowed_) {
        if (request.text.find(a.text) != std::string::npos) {
            return a.answer;
        }
    }
    if (onFailure_) {
        std::string what = "unexpected message [" + request.caption + "]: \"" + request.text + "\"";
        if (!script_.empty()) {
            what += " while waiting for \"" + script_.front().text + "\"";
        }
        onFailure_(what);
    }
    return (request.buttons & kButtonCancel) ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

}  // namespace vantorell
