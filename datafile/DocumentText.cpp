#include "datafile/DocumentText.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <type_traits>

#include "channels/ChannelHelp.h"
#include "channels/EmgDwMemHelp.h"
#include "datafile/DocumentJson.h"
#include "datafile/DocumentTextParts.h"
#include "datafile/FieldText.h"
#include "model/FieldList.h"
#include "options/OptionHelp.h"
#include "options/ToneTipsHelp.h"
#include "radio/Document.h"

namespace {

// The help pages the fields name, by window.
const WindowHelp *helpPage(std::string_view window)
{
    static const std::map<std::string, WindowHelp, std::less<>> pages = [] {
        std::map<std::string, WindowHelp, std::less<>> all;
        for (WindowHelp page :
             {optionWindowHelp(), channelWindowHelp(), emergencyWindowHelp(), dualWatchWindowHelp(),
              memorySettingsWindowHelp(), toneTipsWindowHelp()})
            all.emplace(page.window, std::move(page));
        return all;
    }();
    const auto found = pages.find(window);
    return found == pages.end() ? nullptr : &found->second;
}

TextNode scalarNode(const ScalarText &scalar)
{
    TextNode node;
    node.kind = scalar.kind == ScalarKind::Number ? TextNode::Kind::Number
                : scalar.kind == ScalarKind::Word ? TextNode::Kind::Word
                                                  : TextNode::Kind::Text;
    node.value = scalar.text;
    node.bytes = scalar.bytes;
    if (!scalar.stored)
        return node;
    // A value the readable form cannot hold, kept as it is stored.
    TextNode stored;
    stored.flow = true;
    node.key = "stored";
    stored.children.push_back(std::move(node));
    return stored;
}

// Builds the entries of one map from a record's field list.
class TreeBuilder
{
public:
    TreeBuilder(TextNode &map, std::string generic, std::set<std::string> *commented,
                const FrequencyBand &band)
        : m_map(map)
        , m_generic(std::move(generic))
        , m_commented(commented)
        , m_band(band)
    {}

    template<typename T>
    void operator()(const FieldDescription &description, const T &field)
    {
        if (description.derived)
            return;
        // Help goes on the first entry of each field: its path without the element keys.
        const std::string generic =
            m_commented ? m_generic + "." + std::string(description.name) : std::string();
        TextNode node = valueNode(description, field, generic);
        node.key = std::string(description.name);
        if (m_commented && m_commented->insert(generic).second)
            node.comment = fieldHelpText(description);
        m_map.children.push_back(std::move(node));
    }

private:
    template<typename T>
    TextNode valueNode(const FieldDescription &description, const T &field,
                       const std::string &generic)
    {
        if constexpr (std::is_integral_v<T>) {
            return scalarNode(integerText(description, field));
        } else if constexpr (std::is_same_v<T, double>) {
            return scalarNode(broadcastFrequencyText(field));
        } else if constexpr (IsFixedText<T>::value) {
            return scalarNode(description.form == FieldForm::Frequency
                                  ? frequencyDigitsText(field.raw(), m_band)
                                  : fixedText(field.raw()));
        } else if constexpr (IsStdArray<T>::value) {
            if constexpr (std::is_same_v<typename T::value_type, std::uint8_t>) {
                if (description.form == FieldForm::Bytes)
                    return scalarNode(carriedBytesText(field));
            }
            TextNode map;
            map.children.reserve(field.size());
            FieldDescription element = description;
            element.element = {};
            element.elementNames = {};
            for (std::size_t k = 0; k < field.size(); ++k) {
                TextNode child =
                    valueNode(element, field[k], m_commented ? generic + "[]" : generic);
                child.key = elementKey(description, k);
                map.children.push_back(std::move(child));
            }
            map.flow = isFlatRecord(map);
            return map;
        } else if constexpr (IsKindGroupArray<T>::value) {
            TextNode map;
            for (int kind = 0; kind < kKindCount; ++kind) {
                TextNode list;
                list.kind = TextNode::Kind::List;
                list.key = std::string(kKindKeys[kind]);
                for (int group = 1; group <= kMaxGroup; ++group)
                    list.children.push_back(valueNode(description, field.at(kind, group), generic));
                map.children.push_back(std::move(list));
            }
            return map;
        } else {
            TextNode map;
            TreeBuilder inner(map, generic, m_commented, m_band);
            fields(field, inner);
            map.flow = isFlatRecord(map);
            return map;
        }
    }

    // Small records of scalars (a tone, a broadcast channel) fit on one line.
    static bool isFlatRecord(const TextNode &map)
    {
        return map.children.size() <= 5 &&
               std::all_of(map.children.begin(), map.children.end(), [](const TextNode &child) {
                   return child.kind != TextNode::Kind::Map && child.comment.empty();
               });
    }

    TextNode &m_map;
    std::string m_generic;
    std::set<std::string> *m_commented;
    const FrequencyBand &m_band;
};

template<typename Record>
TextNode recordNode(const Record &record, const std::string &generic,
                    std::set<std::string> *commented, const FrequencyBand &band,
                    std::string_view skipped = {})
{
    TextNode map;
    TreeBuilder builder(map, generic, commented, band);
    fields(record, [&](const FieldDescription &description, const auto &field) {
        if (description.name != skipped)
            builder(description, field);
    });
    return map;
}

TextNode channelsNode(const DocumentSet &document, std::set<std::string> *commented)
{
    TextNode channels;
    channels.key = "channels";
    if (commented)
        channels.comment = "The channels of every group, by kind: \"group N\" holds \"channel N\" "
                           "entries in the group's order. A group given here holds exactly the "
                           "channels it lists.";
    for (int kind = 0; kind < kKindCount; ++kind) {
        TextNode kindNode;
        kindNode.key = std::string(kKindKeys[kind]);
        const FrequencyBand band = bandOfKind(kind);
        for (int group = 1; group <= groupCount(kind); ++group) {
            TextNode groupNode;
            groupNode.key = "group " + std::to_string(group);
            const int count =
                std::clamp(document.channelCount(kind, group), 0, kMaxChannelsPerGroup);
            for (int index = 1; index <= count; ++index) {
                const ChannelRecord &channel = document.channels.entry(kind, group, index);
                TextNode channelNode =
                    recordNode(channel, "channels.channel", commented, band, "number");
                channelNode.key = "channel " + std::to_string(channel.Number);
                groupNode.children.push_back(std::move(channelNode));
            }
            groupNode.flow = groupNode.children.empty();
            kindNode.children.push_back(std::move(groupNode));
        }
        channels.children.push_back(std::move(kindNode));
    }
    return channels;
}

TextNode memoriesNode(const DocumentSet &document, std::set<std::string> *commented)
{
    TextNode memories;
    memories.key = "memoryChannels";
    if (commented)
        memories.comment =
            "The memory channels 1-96 that hold anything, as \"memory N\". When this "
            "section is given, the memory channels it leaves out are empty.";
    for (int number = 1; number <= kMemoryChannelCount; ++number) {
        const ChannelRecord &memory = document.memories.at(number);
        if (memory == ChannelRecord{})
            continue;
        TextNode node =
            recordNode(memory, "memoryChannels.memory", commented, bandOfMemoryChannels());
        node.key = "memory " + std::to_string(number);
        memories.children.push_back(std::move(node));
    }
    memories.flow = memories.children.empty();
    return memories;
}

// The counts of the groups a kind does not have: the only counts the channels do not give.
TextNode unusedGroupCountsNode(const SettingsRecord &settings)
{
    TextNode counts;
    counts.key = "channelCounts";
    counts.comment = "Channel counts of the groups a kind does not have (CB 8-17, HAM 15-17), "
                     "carried unchanged; every other group counts the channels it lists.";
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (groupCount(kind) == kMaxGroup)
            continue;
        TextNode kindNode;
        kindNode.key = std::string(kKindKeys[kind]);
        kindNode.flow = true;
        for (int group = groupCount(kind) + 1; group <= kMaxGroup; ++group) {
            TextNode count = scalarNode(
                integerText(FieldDescription("count"), settings.channelCounts.at(kind, group)));
            count.key = "group " + std::to_string(group);
            kindNode.children.push_back(std::move(count));
        }
        counts.children.push_back(std::move(kindNode));
    }
    return counts;
}

// YAML keys are written plain: every key of the tree is letters, digits, blanks and "/".
void writeYamlScalar(std::string &out, const TextNode &node)
{
    if (node.kind != TextNode::Kind::Text) {
        out += node.value;
        return;
    }
    out += '"';
    const std::string &value = node.value;
    for (std::size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        const auto byte = static_cast<unsigned char>(c);
        // YAML allows no C1 control characters (U+0080-U+009F) in a text: they are escaped.
        const auto next = at + 1 < value.size() ? static_cast<unsigned char>(value[at + 1]) : 0;
        if (!node.bytes && byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", next);
            out += escaped;
            ++at;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte == 0) {
            out += "\\0";
        } else if (byte < 0x20 || byte == 0x7F || (node.bytes && byte > 0x7E)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void writeComment(std::string &out, const std::string &comment, int indent)
{
    std::string line;
    const auto flush = [&] {
        out.append(static_cast<std::size_t>(indent), ' ');
        out += "#" + line + "\n";
        line.clear();
    };
    std::size_t at = 0;
    while (at < comment.size()) {
        std::size_t end = comment.find(' ', at);
        if (end == std::string::npos)
            end = comment.size();
        const std::string word = comment.substr(at, end - at);
        if (!line.empty() && indent + line.size() + word.size() + 2 > 100)
            flush();
        line += " " + word;
        at = end + 1;
    }
    if (!line.empty())
        flush();
}

void writeYamlInline(std::string &out, const TextNode &node)
{
    if (node.kind == TextNode::Kind::List || node.kind == TextNode::Kind::Map) {
        const bool list = node.kind == TextNode::Kind::List;
        out += list ? "[" : "{";
        for (std::size_t k = 0; k < node.children.size(); ++k) {
            if (k)
                out += ", ";
            if (!list)
                out += node.children[k].key + ": ";
            writeYamlInline(out, node.children[k]);
        }
        out += list ? "]" : "}";
        return;
    }
    writeYamlScalar(out, node);
}

void writeYamlMap(std::string &out, const TextNode &map, int indent)
{
    for (const TextNode &child : map.children) {
        if (!child.comment.empty())
            writeComment(out, child.comment, indent);
        out.append(static_cast<std::size_t>(indent), ' ');
        out += child.key + ":";
        if (child.kind == TextNode::Kind::Map && !child.flow) {
            out += "\n";
            writeYamlMap(out, child, indent + 2);
        } else {
            out += " ";
            writeYamlInline(out, child);
            out += "\n";
        }
    }
}

std::string latin1Text(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

void writeJson(std::string &out, const TextNode &node, int indent)
{
    const auto newline = [&out](int depth) {
        out += '\n';
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
    };
    switch (node.kind) {
    case TextNode::Kind::Number:
        out += node.value;
        return;
    case TextNode::Kind::Word:
        out += jsonString(node.value);
        return;
    case TextNode::Kind::Text:
        // Stored bytes are written as the characters of their codes (U+0000-U+00FF), as in YAML.
        out += jsonString(node.bytes ? latin1Text(node.value) : node.value);
        return;
    case TextNode::Kind::Map:
    case TextNode::Kind::List:
        break;
    }
    const bool list = node.kind == TextNode::Kind::List;
    out += list ? '[' : '{';
    for (std::size_t k = 0; k < node.children.size(); ++k) {
        out += k ? "," : "";
        newline(indent + 1);
        if (!list)
            out += jsonString(node.children[k].key) + ": ";
        writeJson(out, node.children[k], indent + 1);
    }
    if (!node.children.empty())
        newline(indent);
    out += list ? ']' : '}';
}

} // namespace

std::string fieldHelpText(const FieldDescription &description)
{
    if (!description.helpWindow.empty()) {
        if (const WindowHelp *page = helpPage(description.helpWindow)) {
            if (const SettingHelp *help =
                    findSettingHelp(*page, std::string(description.helpControl))) {
                const std::string &label = help->label.english;
                return (label.empty() ? std::string() : label + ": ") + help->tooltip.english;
            }
        }
    }
    return std::string(description.about);
}

const TextNode *TextNode::find(std::string_view name) const
{
    for (const TextNode &child : children)
        if (child.key == name)
            return &child;
    return nullptr;
}

TextNode documentTree(const DocumentSet &document, bool withHelp)
{
    std::set<std::string> help;
    std::set<std::string> *commented = withHelp ? &help : nullptr;
    TextNode root;
    TextNode format;
    format.kind = TextNode::Kind::Text;
    format.key = "format";
    format.value = std::string(kDocumentTextFormat);
    if (withHelp)
        format.comment = "The format of this file; a program reads the formats up to its own.";
    root.children.push_back(std::move(format));
    root.children.push_back(channelsNode(document, commented));
    root.children.push_back(memoriesNode(document, commented));
    TreeBuilder settings(root, "", commented, bandOfKind(HF));
    fields(document.settings, settings);
    root.children.push_back(unusedGroupCountsNode(document.settings));
    return root;
}

std::string inlineText(const TextNode &node)
{
    std::string out;
    writeYamlInline(out, node);
    return out;
}

std::string treeToYaml(const TextNode &tree)
{
    std::string out;
    writeYamlMap(out, tree, 0);
    return out;
}

std::string documentToYaml(const DocumentSet &document, std::string_view schemaLocation)
{
    std::string out;
    if (!schemaLocation.empty())
        out += "# yaml-language-server: $schema=" + std::string(schemaLocation) + "\n";
    out += "# An ORX-740 configuration: every value of a data file pair, by name. A file may hold\n"
           "# only part of it; orx740-cli import takes the rest from --base (default: the new\n"
           "# document). A value written {stored: ...} is one the lists of the program cannot\n"
           "# show; it is kept as the radio or the file held it.\n";
    return out + treeToYaml(documentTree(document));
}

std::string treeToJson(const TextNode &tree)
{
    std::string out;
    writeJson(out, tree, 0);
    return out + "\n";
}

std::string formatTextProblems(const std::vector<TextProblem> &problems, std::string_view file)
{
    std::string text;
    for (const TextProblem &problem : problems) {
        text += std::string(file);
        if (problem.line > 0)
            text += ":" + std::to_string(problem.line) + ":" + std::to_string(problem.column);
        text += ": ";
        if (!problem.path.empty())
            text += problem.path + ": ";
        text += problem.message + "\n";
    }
    return text;
}
