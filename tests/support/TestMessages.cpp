#include "tests/support/TestMessages.h"

#include <gtest/gtest.h>

namespace vantorell::test {

TestMessages::TestMessages()
    : RecordingMessageService([](const std::string& what) { ADD_FAILURE() << what; }),
      previous_(setMessageService(this)) {}

TestMessages::~TestMessages() { setMessageService(previous_); }

}  // namespace vantorell::test
