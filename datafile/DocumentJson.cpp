#include "datafile/DocumentJson.h"

#include <cstdio>

#include "datafile/DocumentText.h"

std::string jsonString(const std::string &text)
{
    std::string out = "\"";
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            // Every text here is UTF-8: record texts are decoded before they are written.
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string documentToJson(const DocumentSet &document)
{
    return treeToJson(documentTree(document, false));
}
