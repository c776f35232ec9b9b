#pragma once

#include <string>

struct DocumentSet;

// The whole document as JSON: the tree of the text form (DocumentText.h) with the same keys and
// values, so the schema of the text form describes it too. Two-space indents, keys in the order
// of the field lists.
std::string documentToJson(const DocumentSet &document);

// A JSON string literal (quotes included); bytes outside printable ASCII are escaped as \u00XX
// unless they form UTF-8.
std::string jsonString(const std::string &text);
