#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>

#include "datafile/DocumentText.h"
#include "datafile/DocumentTextParts.h"
#include "datafile/FieldText.h"
#include "model/FieldList.h"
#include "radio/ChannelAddresses.h"
#include "radio/Document.h"

namespace {

constexpr std::size_t kMostProblems = 20;

// The edit distance of two keys, ASCII case ignored.
std::size_t distance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string nearestKey(std::string_view key, const std::vector<std::string> &known)
{
    std::string best;
    std::size_t bestDistance = std::max<std::size_t>(2, key.size() / 3) + 1;
    for (const std::string &candidate : known) {
        const std::size_t d = distance(key, candidate);
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    }
    return best;
}

std::string foundText(const YAML::Node &node)
{
    switch (node.Type()) {
    case YAML::NodeType::Map:
        return "a map";
    case YAML::NodeType::Sequence:
        return "a list";
    case YAML::NodeType::Scalar:
        return "\"" + node.Scalar() + "\"";
    default:
        return "nothing";
    }
}

// The entries of a map in the order written, with each key marked once it is read.
struct MapEntries
{
    std::vector<std::string> keys;
    std::vector<YAML::Node> keyNodes;
    std::vector<YAML::Node> values;
    std::vector<bool> used;

    std::optional<YAML::Node> take(std::string_view name)
    {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (keys[k] == name && !used[k]) {
                used[k] = true;
                return values[k];
            }
        }
        return std::nullopt;
    }
};

class TextReader
{
public:
    std::vector<TextProblem> problems;

    bool full() const { return problems.size() >= kMostProblems; }

    void problem(const YAML::Node &node, const std::string &path, std::string message)
    {
        if (full())
            return;
        const YAML::Mark mark = node.Mark();
        const bool known = mark.line >= 0 && !mark.is_null();
        // A node without a place (an empty text) is placed at its start.
        problems.push_back(
            {known ? mark.line + 1 : 1, known ? mark.column + 1 : 1, path, std::move(message)});
    }

    // The entries of a map node; a node that is no map is a problem.
    std::optional<MapEntries> entriesOf(const YAML::Node &node, const std::string &path,
                                        std::string_view what)
    {
        if (node.IsNull())
            return MapEntries{};
        if (!node.IsMap()) {
            problem(node, path, "expected " + std::string(what) + ", found " + foundText(node));
            return std::nullopt;
        }
        MapEntries entries;
        for (auto it = node.begin(); it != node.end(); ++it) {
            const YAML::Node key = it->first;
            if (!key.IsScalar()) {
                problem(key, path, "expected a name as key, found " + foundText(key));
                continue;
            }
            const std::string &name = key.Scalar();
            if (std::find(entries.keys.begin(), entries.keys.end(), name) != entries.keys.end()) {
                problem(key, join(path, name), "the key \"" + name + "\" is given twice");
                continue;
            }
            entries.keys.push_back(name);
            entries.keyNodes.push_back(key);
            entries.values.push_back(it->second);
            entries.used.push_back(false);
        }
        return entries;
    }

    void reportUnknown(const MapEntries &entries, const std::string &path,
                       const std::vector<std::string> &known)
    {
        for (std::size_t k = 0; k < entries.keys.size(); ++k) {
            if (entries.used[k])
                continue;
            const std::string &key = entries.keys[k];
            std::string message = "unknown key \"" + key + "\"";
            if (const std::string near = nearestKey(key, known); !near.empty())
                message += "; did you mean \"" + near + "\"?";
            problem(entries.keyNodes[k], join(path, key), message);
        }
    }

    static std::string join(const std::string &path, std::string_view key)
    {
        return path.empty() ? std::string(key) : path + "." + std::string(key);
    }

    // The text of a scalar, or of the scalar of a {stored: ...} map.
    std::optional<ReadText> scalarOf(const YAML::Node &node, const std::string &path,
                                     const std::string &expected)
    {
        if (node.IsScalar())
            return ReadText{node.Scalar(), false};
        if (node.IsNull())
            return ReadText{std::string_view(), false};
        if (node.IsMap() && node.size() == 1 && node["stored"] && node["stored"].IsScalar())
            return ReadText{node["stored"].Scalar(), true};
        problem(node, path, "expected " + expected + ", found " + foundText(node));
        return std::nullopt;
    }
};

// Reads the fields of one record from the entries of its map.
class FieldReader
{
public:
    FieldReader(TextReader &reader, MapEntries &entries, std::string path,
                const FrequencyBand &band)
        : m_reader(reader)
        , m_entries(entries)
        , m_path(std::move(path))
        , m_band(band)
    {}

    std::vector<std::string> known;

    template<typename T>
    void operator()(const FieldDescription &description, T &field)
    {
        if (description.derived)
            return;
        known.emplace_back(description.name);
        if (const auto node = m_entries.take(description.name))
            readValue(description, *node, TextReader::join(m_path, description.name), field);
    }

private:
    template<typename T>
    void readValue(const FieldDescription &description, const YAML::Node &node,
                   const std::string &path, T &field)
    {
        if constexpr (std::is_integral_v<T>) {
            readScalar(node, path, description, [&](ReadText text) {
                return apply(readInteger(description, text, std::numeric_limits<T>::min(),
                                         std::numeric_limits<T>::max()),
                             [&field](long long value) { field = static_cast<T>(value); });
            });
        } else if constexpr (std::is_same_v<T, double>) {
            readScalar(node, path, description, [&](ReadText text) {
                return apply(readBroadcastFrequency(text), [&field](double v) { field = v; });
            });
        } else if constexpr (IsFixedText<T>::value) {
            readScalar(node, path, description, [&](ReadText text) {
                if (description.form == FieldForm::Frequency)
                    return apply(readFrequencyDigits(text, T::size(), m_band),
                                 [&field](const std::string &digits) { field.assign(digits); });
                return apply(readFixedText(text, T::size()), [&field](const std::string &bytes) {
                    std::copy_n(bytes.begin(), T::size(), field.bytes.begin());
                });
            });
        } else if constexpr (IsStdArray<T>::value) {
            readArray(description, node, path, field);
        } else if constexpr (IsKindGroupArray<T>::value) {
            readKindGroupArray(description, node, path, field);
        } else {
            auto entries = m_reader.entriesOf(node, path, "a map of the fields of " + path);
            if (!entries)
                return;
            FieldReader inner(m_reader, *entries, path, m_band);
            fields(field, inner);
            m_reader.reportUnknown(*entries, path, inner.known);
        }
    }

    template<typename T>
    void readArray(const FieldDescription &description, const YAML::Node &node,
                   const std::string &path, T &field)
    {
        if constexpr (std::is_same_v<typename T::value_type, std::uint8_t>) {
            if (description.form == FieldForm::Bytes) {
                readScalar(node, path, description, [&](ReadText text) {
                    return apply(readCarriedBytes(text, field.size()),
                                 [&field](const std::vector<std::uint8_t> &bytes) {
                                     std::copy(bytes.begin(), bytes.end(), field.begin());
                                 });
                });
                return;
            }
        }
        auto entries =
            m_reader.entriesOf(node, path, "a map of " + elementKey(description, 0) + "...");
        if (!entries)
            return;
        FieldDescription element = description;
        element.element = {};
        element.elementNames = {};
        std::vector<std::string> keys;
        for (std::size_t k = 0; k < field.size(); ++k) {
            keys.push_back(elementKey(description, k));
            if (const auto child = entries->take(keys.back()))
                readValue(element, *child, TextReader::join(path, keys.back()), field[k]);
        }
        m_reader.reportUnknown(*entries, path, keys);
    }

    template<typename T>
    void readKindGroupArray(const FieldDescription &description, const YAML::Node &node,
                            const std::string &path, T &field)
    {
        auto entries = m_reader.entriesOf(node, path, "a map of the kinds CB, HF and HAM");
        if (!entries)
            return;
        std::vector<std::string> keys;
        for (int kind = 0; kind < kKindCount; ++kind) {
            keys.emplace_back(kKindKeys[kind]);
            const auto list = entries->take(kKindKeys[kind]);
            if (!list)
                continue;
            const std::string listPath = TextReader::join(path, kKindKeys[kind]);
            if (!list->IsSequence() || list->size() > kMaxGroup) {
                m_reader.problem(*list, listPath,
                                 "expected a list of at most 17 values (groups 1-17), found " +
                                     foundText(*list));
                continue;
            }
            for (std::size_t k = 0; k < list->size(); ++k)
                readValue(description, (*list)[k], listPath + "[" + std::to_string(k + 1) + "]",
                          field.at(kind, static_cast<int>(k) + 1));
        }
        m_reader.reportUnknown(*entries, path, keys);
    }

    template<typename Read>
    void readScalar(const YAML::Node &node, const std::string &path,
                    const FieldDescription &description, Read &&read)
    {
        const std::string expected = expectedText(description);
        const auto text = m_reader.scalarOf(node, path, expected);
        if (!text)
            return;
        if (std::optional<std::string> wanted = read(*text))
            m_reader.problem(node, path, "expected " + *wanted + ", found " + foundText(node));
    }

    // Stores a value read, or answers what was expected instead.
    template<typename T, typename Store>
    static std::optional<std::string> apply(const FieldRead<T> &result, Store &&store)
    {
        if (const auto *expectation = std::get_if<FieldExpectation>(&result))
            return expectation->expected;
        store(std::get<T>(result));
        return std::nullopt;
    }

    TextReader &m_reader;
    MapEntries &m_entries;
    std::string m_path;
    const FrequencyBand &m_band;
};

template<typename Record>
std::vector<std::string> readRecord(TextReader &reader, MapEntries &entries,
                                    const std::string &path, const FrequencyBand &band,
                                    Record &record)
{
    FieldReader fieldReader(reader, entries, path, band);
    fields(record, fieldReader);
    return fieldReader.known;
}

// "channel 5" -> 5 when the number lies in 1..last.
std::optional<int> numberedKey(std::string_view key, std::string_view word, int last)
{
    if (!key.starts_with(word) || key.size() <= word.size() + 1 || key[word.size()] != ' ')
        return std::nullopt;
    const std::string_view digits = key.substr(word.size() + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 1 ||
        number > last || digits.front() == '0')
        return std::nullopt;
    return number;
}

// A channel typed into an empty row of the program.
ChannelRecord newChannel(int number)
{
    ChannelRecord record;
    record.Number = static_cast<std::int16_t>(number);
    record.Present = 1;
    record.Scan = 1;
    record.NoiseBlanker = 1;
    return record;
}

const ChannelRecord *baseChannel(const DocumentSet &base, int kind, int group, int number)
{
    const int count = std::clamp(base.channelCount(kind, group), 0, kMaxChannelsPerGroup);
    for (int index = 1; index <= count; ++index)
        if (base.channels.entry(kind, group, index).Number == number)
            return &base.channels.entry(kind, group, index);
    return nullptr;
}

// The fields of one channel map over its starting record; tx follows rx when left out.
void readChannel(TextReader &reader, const YAML::Node &node, const std::string &path,
                 const FrequencyBand &band, ChannelRecord &record, bool numberFromKey)
{
    auto entries = reader.entriesOf(node, path, "a map of the channel's fields");
    if (!entries)
        return;
    const bool rxGiven =
        std::find(entries->keys.begin(), entries->keys.end(), "rx") != entries->keys.end();
    const bool txGiven =
        std::find(entries->keys.begin(), entries->keys.end(), "tx") != entries->keys.end();
    const std::int16_t number = record.Number;
    std::vector<std::string> known = readRecord(reader, *entries, path, band, record);
    if (numberFromKey) {
        // In a group the key gives the number.
        record.Number = number;
        std::erase(known, std::string("number"));
    }
    if (rxGiven && !txGiven)
        record.TxDigits = record.RxDigits;
    reader.reportUnknown(*entries, path, known);
}

void readGroup(TextReader &reader, const YAML::Node &node, const std::string &path, int kind,
               int group, const DocumentSet &base, DocumentSet &document)
{
    auto entries = reader.entriesOf(node, path, "a map of \"channel N\" entries");
    if (!entries)
        return;
    const int last = slotAreaSize(kind, group);
    const FrequencyBand band = bandOfKind(kind);
    int count = 0;
    for (std::size_t k = 0; k < entries->keys.size() && !reader.full(); ++k) {
        entries->used[k] = true;
        const std::string channelPath = TextReader::join(path, entries->keys[k]);
        const auto number = numberedKey(entries->keys[k], "channel", last);
        if (!number) {
            reader.problem(entries->keyNodes[k], channelPath,
                           "expected \"channel N\" with N from 1 to " + std::to_string(last) +
                               ", found \"" + entries->keys[k] + "\"");
            continue;
        }
        const ChannelRecord *from = baseChannel(base, kind, group, *number);
        ChannelRecord record = from ? *from : newChannel(*number);
        readChannel(reader, entries->values[k], channelPath, band, record, true);
        document.channels.entry(kind, group, ++count) = record;
    }
    document.settings.channelCounts.at(kind, group) = static_cast<std::int16_t>(count);
}

void readChannels(TextReader &reader, const YAML::Node &node, const DocumentSet &base,
                  DocumentSet &document)
{
    auto kinds = reader.entriesOf(node, "channels", "a map of the kinds CB, HF and HAM");
    if (!kinds)
        return;
    std::vector<std::string> kindKeys;
    for (int kind = 0; kind < kKindCount; ++kind) {
        kindKeys.emplace_back(kKindKeys[kind]);
        const auto kindNode = kinds->take(kKindKeys[kind]);
        if (!kindNode)
            continue;
        const std::string kindPath = "channels." + std::string(kKindKeys[kind]);
        auto groups = reader.entriesOf(*kindNode, kindPath, "a map of \"group N\" entries");
        if (!groups)
            continue;
        for (std::size_t k = 0; k < groups->keys.size(); ++k) {
            groups->used[k] = true;
            const std::string groupPath = TextReader::join(kindPath, groups->keys[k]);
            const auto group = numberedKey(groups->keys[k], "group", groupCount(kind));
            if (!group) {
                reader.problem(groups->keyNodes[k], groupPath,
                               "expected \"group N\" with N from 1 to " +
                                   std::to_string(groupCount(kind)) + ", found \"" +
                                   groups->keys[k] + "\"");
                continue;
            }
            readGroup(reader, groups->values[k], groupPath, kind, *group, base, document);
        }
    }
    reader.reportUnknown(*kinds, "channels", kindKeys);
}

void readMemories(TextReader &reader, const YAML::Node &node, const DocumentSet &base,
                  DocumentSet &document)
{
    auto entries = reader.entriesOf(node, "memoryChannels", "a map of \"memory N\" entries");
    if (!entries)
        return;
    document.memories.records.fill(ChannelRecord{});
    for (std::size_t k = 0; k < entries->keys.size(); ++k) {
        entries->used[k] = true;
        const std::string path = TextReader::join("memoryChannels", entries->keys[k]);
        const auto number = numberedKey(entries->keys[k], "memory", kMemoryChannelCount);
        if (!number) {
            reader.problem(entries->keyNodes[k], path,
                           "expected \"memory N\" with N from 1 to 96, found \"" +
                               entries->keys[k] + "\"");
            continue;
        }
        const ChannelRecord &from = base.memories.at(*number);
        ChannelRecord record = from.Present ? from : newChannel(*number);
        readChannel(reader, entries->values[k], path, bandOfMemoryChannels(), record, false);
        document.memories.at(*number) = record;
    }
    document.memories.count = static_cast<int>(
        std::count_if(document.memories.records.begin(), document.memories.records.end(),
                      [](const ChannelRecord &memory) { return memory.Present != 0; }));
}

// The counts of the groups a kind does not have.
void readUnusedGroupCounts(TextReader &reader, const YAML::Node &node, DocumentSet &document)
{
    auto kinds = reader.entriesOf(node, "channelCounts", "a map of the kinds CB and HAM");
    if (!kinds)
        return;
    std::vector<std::string> kindKeys;
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (groupCount(kind) == kMaxGroup)
            continue;
        kindKeys.emplace_back(kKindKeys[kind]);
        const auto counts = kinds->take(kKindKeys[kind]);
        if (!counts)
            continue;
        const std::string kindPath = "channelCounts." + std::string(kKindKeys[kind]);
        auto groups = reader.entriesOf(*counts, kindPath, "a map of \"group N\" counts");
        if (!groups)
            continue;
        std::vector<std::string> groupKeys;
        for (int group = groupCount(kind) + 1; group <= kMaxGroup; ++group) {
            groupKeys.push_back("group " + std::to_string(group));
            const auto value = groups->take(groupKeys.back());
            if (!value)
                continue;
            const FieldDescription description =
                FieldDescription("count").range(0, kMaxChannelsPerGroup);
            const std::string path = TextReader::join(kindPath, groupKeys.back());
            const auto text = reader.scalarOf(*value, path, expectedText(description));
            if (!text)
                continue;
            const auto read = readInteger(description, *text, 0, kMaxChannelsPerGroup);
            if (const auto *count = std::get_if<long long>(&read))
                document.settings.channelCounts.at(kind, group) = static_cast<std::int16_t>(*count);
            else
                reader.problem(*value, path,
                               "expected " + expectedText(description) + ", found " +
                                   foundText(*value));
        }
        reader.reportUnknown(*groups, kindPath, groupKeys);
    }
    reader.reportUnknown(*kinds, "channelCounts", kindKeys);
}

// The first key must name this format, in a version this program reads.
bool checkFormat(TextReader &reader, const YAML::Node &root, const MapEntries &entries)
{
    const std::string wanted = "format: " + std::string(kDocumentTextFormat);
    if (entries.keys.empty() || entries.keys.front() != "format") {
        reader.problem(entries.keyNodes.empty() ? root : entries.keyNodes.front(), "",
                       "expected \"" + wanted + "\" as the first key");
        return false;
    }
    const YAML::Node &value = entries.values.front();
    const std::string text = value.IsScalar() ? value.Scalar() : std::string();
    const std::string prefix = std::string(kDocumentTextFormatName) + "/";
    int version = 0;
    if (text.starts_with(prefix)) {
        const auto [end, error] =
            std::from_chars(text.data() + prefix.size(), text.data() + text.size(), version);
        if (error != std::errc() || end != text.data() + text.size())
            version = 0;
    }
    if (version > kDocumentTextFormatVersion) {
        reader.problem(value, "format",
                       "the file is in a newer format (" + text + ") than this program reads (" +
                           std::string(kDocumentTextFormat) + "); use a newer program");
        return false;
    }
    if (version < 1) {
        reader.problem(value, "format",
                       "expected " + std::string(kDocumentTextFormat) + ", found " +
                           foundText(value));
        return false;
    }
    return true;
}

void readSections(TextReader &reader, MapEntries &entries, const DocumentSet &base,
                  DocumentSet &document)
{
    entries.take("format");
    std::vector<std::string> known{"format", "channels", "memoryChannels", "channelCounts"};
    if (const auto channels = entries.take("channels"))
        readChannels(reader, *channels, base, document);
    if (const auto memories = entries.take("memoryChannels"))
        readMemories(reader, *memories, base, document);
    if (const auto counts = entries.take("channelCounts"))
        readUnusedGroupCounts(reader, *counts, document);
    const std::vector<std::string> settings =
        readRecord(reader, entries, "", bandOfKind(HF), document.settings);
    known.insert(known.end(), settings.begin(), settings.end());
    reader.reportUnknown(entries, "", known);
}

} // namespace

std::vector<TextProblem> readDocumentText(std::string_view text, const DocumentSet &base,
                                          DocumentSet &document)
{
    TextReader reader;
    YAML::Node root;
    try {
        root = YAML::Load(std::string(text));
    } catch (const YAML::Exception &error) {
        const bool known = !error.mark.is_null();
        return {{known ? error.mark.line + 1 : 1, known ? error.mark.column + 1 : 1, "",
                 "not readable as YAML: " + error.msg}};
    }
    try {
        auto entries = reader.entriesOf(root, "", "a map that starts with format");
        if (!entries || !reader.problems.empty() || !checkFormat(reader, root, *entries))
            return reader.problems;
        auto result = std::make_unique<DocumentSet>(base);
        readSections(reader, *entries, base, *result);
        if (reader.problems.empty())
            document = std::move(*result);
    } catch (const YAML::Exception &error) {
        reader.problems.push_back({1, 1, "", "not readable as YAML: " + error.msg});
    }
    // In the order of the text, whichever pass found them.
    std::stable_sort(reader.problems.begin(), reader.problems.end(),
                     [](const TextProblem &a, const TextProblem &b) {
                         return std::pair(a.line, a.column) < std::pair(b.line, b.column);
                     });
    return reader.problems;
}
