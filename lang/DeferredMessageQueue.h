#pragma once

#include <cstddef>
#include <string>
#include <vector>

class MessageService;

// Messages raised while a serial transfer runs, shown one box each once the port is closed.
// The queue holds 1001 texts. Texts beyond that are not lost silently: the first 1000 are kept
// and the last place tells how many more there were.
class DeferredMessageQueue
{
public:
    static constexpr std::size_t kCapacity = 1001;

    void add(std::string text);
    // Texts added since the queue was last shown or cleared, including those beyond capacity.
    std::size_t count() const { return m_texts.size() + m_overflow; }
    bool empty() const { return count() == 0; }
    void clear();

    // The texts to show, in order, at most kCapacity of them; the queue is emptied.
    std::vector<std::string> takeAll(int language);
    // Shows each text in its own box with an OK button, in order, then empties the queue.
    void show(MessageService &messages, int language);

private:
    std::vector<std::string> m_texts;
    std::size_t m_overflow = 0;
};
