#pragma once

#include "platform/MessageService.h"
#include "platform/RecordingMessageService.h"

namespace vantorell::test {

// A recording message service installed for the test's lifetime: any message the test did
// not script fails the test, and so does a scripted message that never came.
class TestMessages : public RecordingMessageService {
public:
    TestMessages();
    ~TestMessages() override;

private:
    MessageService* previous_;
};

}  // namespace vantorell::test
