#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct DocumentSet;

// The whole document as text, both ways: every field of every record by its name, in the order of
// the field lists, with values as a person reads them (frequencies as MHz text, tones as "88.5"
// and "D023N", list values as the item's English text, on/off). Written as YAML with each
// setting's help as a comment, or as JSON; read from YAML over a base document.
//
//   format: orx740-config/1
//   channels:        kinds CB, HF, HAM; "group N"; "channel N" with the channel's fields
//   memoryChannels:  "memory N" for every memory record that is not empty
//   version, currentKind, ... extraValues: the settings record, field by field
inline constexpr std::string_view kDocumentTextFormat = "orx740-config/1";
inline constexpr std::string_view kDocumentTextFormatName = "orx740-config";
inline constexpr int kDocumentTextFormatVersion = 1;

// A value of the text form: a map of named entries, a list of scalars or a scalar.
struct TextNode
{
    enum class Kind : std::uint8_t
    {
        Map,
        List,
        Number, // an integer token
        Word,   // on, off, none
        Text,   // a quoted text
    };
    Kind kind = Kind::Map;
    std::string key;
    std::string value;
    std::vector<TextNode> children;
    std::string comment; // written as "# " lines above the entry (YAML only)
    bool flow = false;   // a map written on one line: {stored: 5}
    bool bytes = false;  // a text of raw bytes: every byte above 0x7E written as \xNN

    const TextNode *find(std::string_view name) const;
};

// The document as a tree, with help comments on the first entry of each field when asked.
TextNode documentTree(const DocumentSet &document, bool withHelp = true);

// The YAML text: a "# yaml-language-server: $schema=" line when a schema location is given, a
// short header, then the tree.
std::string documentToYaml(const DocumentSet &document, std::string_view schemaLocation);
std::string treeToYaml(const TextNode &tree);
// A node as YAML writes it on one line: "FM", on, 5, {stored: 300}, [1, 2].
std::string inlineText(const TextNode &node);
// The same tree as JSON (two-space indents, no comments).
std::string treeToJson(const TextNode &tree);

// A problem of a text: its place (line and column from 1; 0 when unknown), the key path
// ("channels.HAM.group 2.channel 5.rx") and what was expected and found.
struct TextProblem
{
    int line = 0;
    int column = 0;
    std::string path;
    std::string message;
};

// Reads a text over the base document: what the text leaves out keeps the base's values; a group
// the text lists holds exactly the channels it lists, a memoryChannels section exactly the memory
// channels it lists. The document is replaced only when the whole text is valid; otherwise the
// problems (at most 20) are answered and the document is left as it was.
std::vector<TextProblem> readDocumentText(std::string_view text, const DocumentSet &base,
                                          DocumentSet &document);

// "FILE:LINE:COLUMN: PATH: MESSAGE", one a line.
std::string formatTextProblems(const std::vector<TextProblem> &problems, std::string_view file);
