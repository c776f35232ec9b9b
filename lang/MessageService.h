#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    OkSaveTrace,      // a failed transfer's box: OK, or save the serial trace for support
    SaveDiscardCancel // the save questions: keep the changes, drop them, or stop
};

enum class MessageIcon
{
    None,
    Information,
    Question,
    Warning,
    Critical
};

enum class MessageAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
    SaveTrace,
    Save,
    Discard
};

// Questions and notices to the user. The windows implement it with message boxes; tests script
// the answers (tests/support/ScriptedMessageService.h).
class MessageService
{
public:
    virtual ~MessageService() = default;

    // Shows the text (UTF-8, "\r\n" for a line break) with the buttons and icon and returns the
    // button chosen. Closing the box without a button counts as Cancel, or No when there is no
    // Cancel button.
    virtual MessageAnswer ask(std::string_view text, MessageButtons buttons, MessageIcon icon) = 0;

    void inform(std::string_view text, MessageIcon icon = MessageIcon::Information)
    {
        ask(text, MessageButtons::Ok, icon);
    }
};

// Answers every question as if its box had been closed, and shows nothing: the service of a
// context that nobody has given a real one.
class ClosedMessageService : public MessageService
{
public:
    MessageAnswer ask(std::string_view, MessageButtons buttons, MessageIcon) override
    {
        return closedAnswer(buttons);
    }

    static MessageAnswer closedAnswer(MessageButtons buttons)
    {
        switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkSaveTrace:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;
        }
    }
};
