#pragma once
// A message service for tests: it answers from a script of expected messages and
// reports every message nobody expected through a failure handler.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageService.h"

namespace vantorell {

class RecordingMessageService : public MessageService {
public:
    using FailureHandler = std::function<void(const std::string&)>;

    explicit RecordingMessageService(FailureHandler onFailure);
    ~RecordingMessageService() override;

    // The next message must have exactly this text; it is answered with the answer given.
    RecordingMessageService& expect(const std::string& text, MessageAnswer answer = MessageAnswer::Ok);
    // The next message must contain this piece of text.
    RecordingMessageService& expectContaining(const std::string& piece,
                                              MessageAnswer answer = MessageAnswer::Ok);
    // Messages whose text contains the piece are answered whenever they come, in any number.
    RecordingMessageService& allowContaining(const std::string& piece,
                                             MessageAnswer answer = MessageAnswer::Ok);

    MessageAnswer show(const MessageRequest& request) override;

    const std::vector<MessageRequest>& shown() const { return shown_; }
    std::size_t pending() const { return script_.size(); }

private:
    struct Expected {
        std::string text;
        bool exact;
        MessageAnswer answer;
    };
    FailureHandler onFailure_;
    std::deque<Expected> script_;
    std::vector<Expected> allowed_;
    std::vector<MessageRequest> shown_;
};

}  // namespace vantorell
