#pragma once

#include "lang/MessageService.h"

struct LanguageState;
class QWidget;

// Message boxes titled with the program's name, their buttons labelled in the language in force.
class QtMessageService : public MessageService
{
public:
    explicit QtMessageService(const LanguageState &language);

    MessageAnswer ask(std::string_view text, MessageButtons buttons, MessageIcon icon) override;

private:
    const LanguageState &m_language;
};
