#pragma once
// A message sink that remembers what it was asked to show.

#include "common/MessageSink.h"

#include <string>
#include <vector>

namespace veltrix::test {

class RecordingMessages : public MessageSink {
public:
    void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None) override {
        texts.push_back(text);
        icons.push_back(icon);
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    std::vector<std::string> texts;
    std::vector<MessageIcon> icons;
    std::vector<std::string> questions;
    bool answer = false;
};

} // namespace veltrix::test
