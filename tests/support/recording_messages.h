// A message sink that remembers which messages were shown, in order, and the reasons given
// with them.
#pragma once

#include <string>
#include <vector>

#include "core/message_sink.h"

namespace rpanel::test {

class RecordingMessages final : public MessageSink {
public:
    void ShowMessageById(int stringId) override { shown.push_back(stringId); }
    void ShowMessageWithReason(int stringId, const std::string& reason) override {
        shown.push_back(stringId);
        reasons.push_back(reason);
    }
    std::vector<int> shown;
    std::vector<std::string> reasons;
};

}  // namespace rpanel::test
