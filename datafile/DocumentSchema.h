#pragma once

#include <string>
#include <string_view>

// The JSON Schema (draft-07) of the document's text form, made from the field lists: every key,
// the form of every value (list items, ranges, patterns), each field's help as its description
// and the value of a new document as its default. Editors check and complete a YAML file with it;
// `show --json` follows it too.
inline constexpr std::string_view kDocumentSchemaFileName = "orx740-config.schema.json";
std::string documentSchema();
