// A message sink that remembers which messages were shown, in order.
#pragma once

#include <vector>

#include "core/message_sink.h"

namespace rpanel::test {

class RecordingMessages final : public MessageSink {
public:
    void ShowMessageById(int stringId) override { shown.push_back(stringId); }
    std::vector<int> shown;
};

}  // namespace rpanel::test
