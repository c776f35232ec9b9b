#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "radio/SettingsRecord.h"

// Reads and writes one stored option value of a document, wherever it lives: a field of the option
// record, a field of a public-channel set, or a value kept beside the record. Tables of option
// rows carry one of these, so the image passes and the option window share one description.
struct OptionField
{
    int (*get)(const SettingsRecord &) = nullptr;
    void (*set)(SettingsRecord &, int) = nullptr;

    explicit constexpr operator bool() const { return get != nullptr; }
};

template<auto Member>
constexpr OptionField recordField()
{
    using Value = std::remove_cvref_t<decltype(std::declval<OptionRecord &>().*Member)>;
    return {[](const SettingsRecord &s) { return static_cast<int>(s.options.*Member); },
            [](SettingsRecord &s, int v) { s.options.*Member = static_cast<Value>(v); }};
}

template<std::size_t Set, auto Member>
constexpr OptionField publicSetField()
{
    return {
        [](const SettingsRecord &s) { return static_cast<int>(s.options.publicSets[Set].*Member); },
        [](SettingsRecord &s, int v) {
            s.options.publicSets[Set].*Member = static_cast<std::int16_t>(v);
        }};
}

template<std::size_t Index>
constexpr OptionField besideValue()
{
    return {[](const SettingsRecord &s) { return static_cast<int>(s.extraValues[Index]); },
            [](SettingsRecord &s, int v) { s.extraValues[Index] = static_cast<std::int16_t>(v); }};
}

template<std::size_t Index>
constexpr OptionField thresholdValue()
{
    return {[](const SettingsRecord &s) { return static_cast<int>(s.thresholds[Index]); },
            [](SettingsRecord &s, int v) { s.thresholds[Index] = static_cast<std::int16_t>(v); }};
}

constexpr OptionField variantByte()
{
    return {[](const SettingsRecord &s) {
                return static_cast<int>(s.singleBytes[BesideValue::kVariantByte]);
            },
            [](SettingsRecord &s, int v) {
                s.singleBytes[BesideValue::kVariantByte] = static_cast<std::uint8_t>(v);
            }};
}

template<std::size_t Index>
constexpr OptionField keyAssignField()
{
    return {[](const SettingsRecord &s) { return static_cast<int>(s.options.keyAssign[Index]); },
            [](SettingsRecord &s, int v) {
                s.options.keyAssign[Index] = static_cast<std::int16_t>(v);
            }};
}
