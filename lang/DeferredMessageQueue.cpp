#include "lang/DeferredMessageQueue.h"

#include "lang/MessageService.h"
#include "lang/Messages.h"

void DeferredMessageQueue::add(std::string text)
{
    if (m_texts.size() < kCapacity)
        m_texts.push_back(std::move(text));
    else
        ++m_overflow;
}

void DeferredMessageQueue::clear()
{
    m_texts.clear();
    m_overflow = 0;
}

std::vector<std::string> DeferredMessageQueue::takeAll(int language)
{
    std::vector<std::string> texts = std::move(m_texts);
    if (m_overflow > 0) {
        // The last place becomes the summary, so it stands for its own text as well.
        texts.resize(kCapacity - 1);
        texts.push_back(withArgument(textFor(Messages::kMoreMessages, language),
                                     std::to_string(m_overflow + 1)));
    }
    clear();
    return texts;
}

void DeferredMessageQueue::show(MessageService &messages, int language)
{
    for (const std::string &text : takeAll(language))
        messages.ask(text, MessageButtons::Ok, MessageIcon::Information);
}
