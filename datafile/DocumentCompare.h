#pragma once

#include <string>
#include <string_view>
#include <vector>

struct DocumentSet;
class RadioImage;

// One difference between two documents, named as the program names things: the kind, group,
// channel and field; the option's label; the tone set; and both values as the windows show them.
struct Difference
{
    std::string where;
    std::string first;
    std::string second;
    friend bool operator==(const Difference &, const Difference &) = default;
};

// Everything a data file pair carries: channels, memory channels, group names and valid flags,
// options, tone sets, DTMF codes, special-channel settings, the broadcast table and the identity.
// Whatever else differs is named by the record's own fields ("groupSelection[CB group 2]"). Texts
// are shown with every stored byte, a NUL as \0.
std::vector<Difference> compareDocuments(const DocumentSet &first, const DocumentSet &second);

// Two images on every byte a transfer carries: each unpacked into a new document and compared as
// above; bytes that differ without a named difference are listed by address.
std::vector<Difference> compareImages(const RadioImage &first, const RadioImage &second);

// The lines "where: <firstLabel> value, <secondLabel> value", one per difference.
std::string formatDifferences(const std::vector<Difference> &differences,
                              std::string_view firstLabel, std::string_view secondLabel);
