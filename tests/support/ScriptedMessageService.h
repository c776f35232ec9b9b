#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "lang/MessageService.h"

// Answers from a script, recording every question; when the script runs out it answers as if the
// box had been closed.
class ScriptedMessageService : public MessageService
{
public:
    struct Question
    {
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageAnswer ask(std::string_view text, MessageButtons buttons, MessageIcon icon) override
    {
        questions.push_back({std::string(text), buttons, icon});
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return ClosedMessageService::closedAnswer(buttons);
    }

    std::deque<MessageAnswer> answers;
    std::vector<Question> questions;
};
