#pragma once

#include <string>
#include <string_view>
#include <vector>

struct DocumentSet;
class RadioImage;

// One difference between two documents: the key path of the text form ("channels.CB.group
// 2.channel 14.mode", "options.batteryMax") and both values as the text form writes them.
struct Difference
{
    std::string where;
    std::string first;
    std::string second;
    friend bool operator==(const Difference &, const Difference &) = default;
};

// Everything a data file pair carries, walked by the field lists: channels, memory channels and
// every field of the settings record. Texts are shown with every stored byte ("A\0" is not "A").
std::vector<Difference> compareDocuments(const DocumentSet &first, const DocumentSet &second);

// Two images on every byte a transfer carries: each unpacked into a new document and compared as
// above; bytes that differ without a named difference are listed by address.
std::vector<Difference> compareImages(const RadioImage &first, const RadioImage &second);

// The lines "where: <firstLabel> value, <secondLabel> value", one per difference.
std::string formatDifferences(const std::vector<Difference> &differences,
                              std::string_view firstLabel, std::string_view secondLabel);
