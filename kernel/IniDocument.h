#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Windows-style INI file held as its own bytes. Sections and keys are found case-insensitively
// and values come back trimmed of spaces and tabs. A write edits the one line that holds the key
// and keeps every other byte as it was (comments, blank lines, the file's line endings), so files
// edited by hand or by other programs survive our writes unchanged.
class IniDocument
{
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    const std::string &bytes() const { return m_bytes; }

    // The trimmed value of the first matching key in the first matching section that has it;
    // nothing when no such key exists.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string valueOr(std::string_view section, std::string_view key,
                        std::string_view fallback = {}) const;
    // The keys of every matching section in file order, each once (the first spelling).
    std::vector<std::string> keys(std::string_view section) const;

    // Sets a value: the existing line is rewritten after its "=", a new key goes after the last
    // entry of its section, a new section goes at the end of the file. Refuses (returns false,
    // nothing changed) names or values that would break the line structure.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line
    {
        std::size_t begin = 0;      // first byte of the line
        std::size_t contentEnd = 0; // before the line ending
        std::size_t end = 0;        // after the line ending
    };
    enum class LineKind
    {
        Blank,
        Comment,
        Section,
        Entry,
        Other
    };

    std::vector<Line> lines() const;
    std::string_view content(const Line &line) const;
    static LineKind kindOf(std::string_view content);
    static std::string_view sectionName(std::string_view content);
    static std::string_view entryKey(std::string_view content);
    std::string_view lineEnding() const;

    std::string m_bytes;
};

// Reading and writing one INI file by section and key, the way the program's settings files are
// used: every read sees the file as it is now, every write is stored at once.
class IniStore
{
public:
    virtual ~IniStore() = default;
    // The trimmed value, or empty text when the key is missing.
    virtual std::string readString(std::string_view section, std::string_view key) = 0;
    // False when the value could not be stored.
    virtual bool writeString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    // The keys of a section in file order; a store that cannot list its keys reports none.
    virtual std::vector<std::string> keys(std::string_view section)
    {
        static_cast<void>(section);
        return {};
    }
    // The whole file as it is now (for a problem report); nothing when it cannot be read.
    virtual std::optional<std::string> contents() { return std::nullopt; }
};

// An INI file kept in memory only.
class MemoryIniStore : public IniStore
{
public:
    MemoryIniStore() = default;
    explicit MemoryIniStore(std::string bytes)
        : document(std::move(bytes))
    {}

    std::string readString(std::string_view section, std::string_view key) override
    {
        return document.valueOr(section, key);
    }
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override
    {
        return document.setValue(section, key, value);
    }
    std::vector<std::string> keys(std::string_view section) override
    {
        return document.keys(section);
    }
    std::optional<std::string> contents() override { return document.bytes(); }

    IniDocument document;
};
