#include "kernel/IniDocument.h"

#include <algorithm>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool breaksLines(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

IniDocument::IniDocument(std::string bytes)
    : m_bytes(std::move(bytes))
{}

std::vector<IniDocument::Line> IniDocument::lines() const
{
    std::vector<Line> result;
    // A byte-order mark, as editors on Windows write it, is kept but not read as part of a line.
    std::size_t begin = m_bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (begin < m_bytes.size()) {
        const auto newline = m_bytes.find('\n', begin);
        Line line;
        line.begin = begin;
        line.end = newline == std::string::npos ? m_bytes.size() : newline + 1;
        line.contentEnd = newline == std::string::npos ? m_bytes.size() : newline;
        if (line.contentEnd > begin && m_bytes[line.contentEnd - 1] == '\r')
            --line.contentEnd;
        result.push_back(line);
        begin = line.end;
    }
    return result;
}

std::string_view IniDocument::content(const Line &line) const
{
    return std::string_view(m_bytes).substr(line.begin, line.contentEnd - line.begin);
}

IniDocument::LineKind IniDocument::kindOf(std::string_view content)
{
    const std::string_view text = trimmed(content);
    if (text.empty())
        return LineKind::Blank;
    if (text.front() == ';' || text.front() == '#')
        return LineKind::Comment;
    if (text.front() == '[' && text.find(']') != std::string_view::npos)
        return LineKind::Section;
    if (text.find('=') != std::string_view::npos)
        return LineKind::Entry;
    return LineKind::Other;
}

std::string_view IniDocument::sectionName(std::string_view content)
{
    const std::string_view text = trimmed(content);
    return trimmed(text.substr(1, text.find(']') - 1));
}

std::string_view IniDocument::entryKey(std::string_view content)
{
    return trimmed(content.substr(0, content.find('=')));
}

std::string_view IniDocument::lineEnding() const
{
    // Keep the file's own style; a new file gets the Windows style the program's files use.
    const auto newline = m_bytes.find('\n');
    if (newline == std::string::npos)
        return "\r\n";
    return (newline > 0 && m_bytes[newline - 1] == '\r') ? "\r\n" : "\n";
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const Line &line : lines()) {
        const std::string_view text = content(line);
        switch (kindOf(text)) {
        case LineKind::Section:
            inSection = equalNoCase(sectionName(text), section);
            break;
        case LineKind::Entry:
            if (inSection && equalNoCase(entryKey(text), key))
                return std::string(trimmed(text.substr(text.find('=') + 1)));
            break;
        default:
            break;
        }
    }
    return std::nullopt;
}

std::string IniDocument::valueOr(std::string_view section, std::string_view key,
                                 std::string_view fallback) const
{
    return value(section, key).value_or(std::string(fallback));
}

std::vector<std::string> IniDocument::keys(std::string_view section) const
{
    std::vector<std::string> result;
    bool inSection = false;
    for (const Line &line : lines()) {
        const std::string_view text = content(line);
        const LineKind kind = kindOf(text);
        if (kind == LineKind::Section) {
            inSection = equalNoCase(sectionName(text), section);
        } else if (kind == LineKind::Entry && inSection) {
            const std::string_view key = entryKey(text);
            const bool seen =
                std::any_of(result.begin(), result.end(),
                            [key](const std::string &k) { return equalNoCase(k, key); });
            if (!key.empty() && !seen)
                result.emplace_back(key);
        }
    }
    return result;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = trimmed(section);
    key = trimmed(key);
    if (section.empty() || key.empty() || breaksLines(section) || breaksLines(key) ||
        breaksLines(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
        key.front() == '#')
        return false;

    const std::string ending(lineEnding());
    bool inSection = false;
    bool sectionSeen = false;
    std::size_t insertAt = std::string::npos; // after the last entry of the first matching section
    for (const Line &line : lines()) {
        const std::string_view text = content(line);
        switch (kindOf(text)) {
        case LineKind::Section:
            inSection = !sectionSeen && equalNoCase(sectionName(text), section);
            if (inSection) {
                sectionSeen = true;
                insertAt = line.end;
            }
            break;
        case LineKind::Entry:
            if (inSection && equalNoCase(entryKey(text), key)) {
                const std::size_t valueBegin = line.begin + text.find('=') + 1;
                m_bytes.replace(valueBegin, line.contentEnd - valueBegin, value);
                return true;
            }
            [[fallthrough]];
        case LineKind::Other:
            if (inSection)
                insertAt = line.end;
            break;
        case LineKind::Comment:
        case LineKind::Blank:
            break;
        }
    }

    std::string entry = std::string(key) + "=" + std::string(value) + ending;
    // The file's last line gets its line ending; a carriage return already there is read as one
    // and only needs its line feed, so the line's value stays as it was.
    const auto endLastLine = [this, &ending] { m_bytes += m_bytes.back() == '\r' ? "\n" : ending; };
    if (sectionSeen) {
        // A section header or entry on the file's last line has no line ending yet.
        if (insertAt == m_bytes.size() && m_bytes.back() != '\n') {
            endLastLine();
            insertAt = m_bytes.size();
        }
        m_bytes.insert(insertAt, entry);
        return true;
    }
    if (!m_bytes.empty() && m_bytes.back() != '\n' && m_bytes != kByteOrderMark)
        endLastLine();
    m_bytes += "[" + std::string(section) + "]" + ending + entry;
    return true;
}
