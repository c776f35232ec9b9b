#include "datafile/DocumentCompare.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "datafile/DocumentText.h"
#include "model/RadioImage.h"
#include "model/TransferWalk.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"

namespace {

// A value written {stored: ...} counts as one value.
bool isValue(const TextNode &node)
{
    if (node.kind == TextNode::Kind::List)
        return false;
    return node.kind != TextNode::Kind::Map ||
           (node.children.size() == 1 && node.children.front().key == "stored");
}

// What the report shows for an entry only one side has: a value as it is written, a channel by
// its receive frequency.
std::string shown(const TextNode &node)
{
    if (isValue(node))
        return inlineText(node);
    if (const TextNode *rx = node.find("rx"))
        return "channel at " + inlineText(*rx);
    return "(given)";
}

std::string join(const std::string &path, const std::string &key)
{
    return path.empty() ? key : path + "." + key;
}

std::string keyList(const TextNode &map)
{
    std::string text;
    for (const TextNode &child : map.children)
        text += (text.empty() ? "" : ", ") + child.key;
    return text;
}

// The two trees entry by entry, by key: the text form names every field, so every difference is
// named by its key path ("channels.CB.group 2.channel 14.mode").
void compareNodes(std::vector<Difference> &out, const std::string &path, const TextNode &a,
                  const TextNode &b)
{
    if (isValue(a) || isValue(b)) {
        if (inlineText(a) != inlineText(b))
            out.push_back({path, shown(a), shown(b)});
        return;
    }
    if (a.kind == TextNode::Kind::List || b.kind == TextNode::Kind::List) {
        for (std::size_t k = 0; k < std::max(a.children.size(), b.children.size()); ++k) {
            const std::string where = path + "[" + std::to_string(k + 1) + "]";
            if (k >= a.children.size() || k >= b.children.size())
                out.push_back({where, k < a.children.size() ? shown(a.children[k]) : "(none)",
                               k < b.children.size() ? shown(b.children[k]) : "(none)"});
            else
                compareNodes(out, where, a.children[k], b.children[k]);
        }
        return;
    }
    for (std::size_t k = 0; k < a.children.size(); ++k) {
        const TextNode &first = a.children[k];
        // Both trees mostly hold the same keys in the same order.
        const TextNode *second = k < b.children.size() && b.children[k].key == first.key
                                     ? &b.children[k]
                                     : b.find(first.key);
        if (second)
            compareNodes(out, join(path, first.key), first, *second);
        else
            out.push_back({join(path, first.key), shown(first), "(none)"});
    }
    for (const TextNode &second : b.children)
        if (!a.find(second.key))
            out.push_back({join(path, second.key), "(none)", shown(second)});
    // The same entries in another order: a group's channels are kept in the order of its list.
    const bool sameKeys = a.children.size() == b.children.size() &&
                          std::all_of(a.children.begin(), a.children.end(),
                                      [&b](const TextNode &child) { return b.find(child.key); });
    if (sameKeys && keyList(a) != keyList(b))
        out.push_back({path + " (order)", keyList(a), keyList(b)});
}

} // namespace

std::vector<Difference> compareDocuments(const DocumentSet &first, const DocumentSet &second)
{
    std::vector<Difference> differences;
    compareNodes(differences, "", documentTree(first, false), documentTree(second, false));
    return differences;
}

std::vector<Difference> compareImages(const RadioImage &first, const RadioImage &second)
{
    // Only what a transfer moves counts: a byte outside the transferred blocks never reaches
    // the radio, whatever the packing put there.
    const auto unpacked = [](const RadioImage &image) {
        auto sent = std::make_unique<RadioImage>();
        std::array<std::uint8_t, 16> block{};
        for (std::int32_t address = NextTransferAddress(0); address < kTransferEndAddress;
             address = NextTransferAddress(address + 16)) {
            image.readBlock(std::uint32_t(address), block);
            sent->writeBlock(std::uint32_t(address), block);
        }
        auto document = std::make_unique<DocumentSet>();
        UnpackImageIntoDocument(*sent, *document);
        return document;
    };
    std::vector<Difference> differences = compareDocuments(*unpacked(first), *unpacked(second));
    if (!differences.empty())
        return differences;
    for (std::int32_t block = NextTransferAddress(0); block < kTransferEndAddress;
         block = NextTransferAddress(block + 16)) {
        for (std::uint32_t i = 0; i < 16; ++i) {
            const std::uint32_t address = std::uint32_t(block) + i;
            if (first.byteAt(address) != second.byteAt(address)) {
                char where[48];
                std::snprintf(where, sizeof where, "image byte 0x%05X", address);
                char a[16];
                char b[16];
                std::snprintf(a, sizeof a, "0x%02X", first.byteAt(address));
                std::snprintf(b, sizeof b, "0x%02X", second.byteAt(address));
                differences.push_back({where, a, b});
            }
        }
    }
    return differences;
}

std::string formatDifferences(const std::vector<Difference> &differences,
                              std::string_view firstLabel, std::string_view secondLabel)
{
    std::string text;
    for (const Difference &d : differences)
        text += d.where + ": " + std::string(firstLabel) + " " + d.first + ", " +
                std::string(secondLabel) + " " + d.second + "\n";
    return text;
}
