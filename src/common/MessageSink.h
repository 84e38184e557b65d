#pragma once
// Where the core sends the messages a user must see. The window shows them in
// message boxes captioned with the program's name; the command-line tool
// prints them on stderr; tests record them.

#include <string>

namespace veltrix {

enum class MessageIcon { None, Warning };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None) = 0;
    // A yes-or-no question; where nobody can answer, the answer is no.
    virtual bool AskYesNo(const std::string&) { return false; }
};

} // namespace veltrix
