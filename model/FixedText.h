#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A fixed-length text field as the radio's records hold it: N bytes, one byte a character, padded
// with spaces on the right. The bytes are kept as they are (never transcoded) so that a record
// read from a file is written back byte for byte.
template<std::size_t N>
struct FixedText
{
    std::array<char, N> bytes{};

    FixedText() { bytes.fill(' '); }
    explicit FixedText(std::string_view text) { assign(text); }

    // Stores the text, cut to N bytes and padded with spaces.
    void assign(std::string_view text)
    {
        bytes.fill(' ');
        std::copy_n(text.begin(), std::min(text.size(), N), bytes.begin());
    }

    // The bytes as stored, padding included.
    std::string raw() const { return std::string(bytes.begin(), bytes.end()); }

    // The text as records compare it: trailing spaces removed, then cut at the first NUL.
    std::string trimmed() const
    {
        std::string_view view(bytes.data(), N);
        while (!view.empty() && view.back() == ' ')
            view.remove_suffix(1);
        return std::string(view.substr(0, view.find('\0')));
    }

    static constexpr std::size_t size() { return N; }

    friend bool operator==(const FixedText &, const FixedText &) = default;
};
