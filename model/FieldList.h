#pragma once

#include <array>
#include <bit>
#include <concepts>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "model/ByteIO.h"
#include "model/ChannelLayout.h"
#include "model/FieldDescription.h"
#include "model/FixedText.h"

// Every record lists its fields once, by name and in the order the data file stores them, each
// with what it holds (FieldDescription: form, list items, range, unit, new-document value, help):
//
//     template<RecordOf<IdentityRecord> R, typename V>
//     void fields(R &r, V &&v) { LIST_FIELD(v, r.modelCode,
//     FieldDescription("modelCode").initially(248));
//     }
//
// Packing and reading the data file, the new-document values, the document comparison, the JSON
// output, the text form and its schema all walk that list, so a new field is one line. A field
// is a 16-bit or 8-bit integer, a double, a fixed text, an array of fields, a kind-and-group
// table or another listed record.

// Visits one field of a field list with its description, made once at compile time: a description
// made anew at every visit would cost the packers and readers, which walk thousands of fields, on
// each one.
#define LIST_FIELD(visit, member, ...)                                                             \
    do {                                                                                           \
        static constexpr FieldDescription kFieldDescription = __VA_ARGS__;                         \
        visit(kFieldDescription, member);                                                          \
    } while (false)

template<typename R, typename Record>
concept RecordOf = std::same_as<std::remove_const_t<R>, Record>;

template<typename T>
concept FieldListed = requires(T &record)
{
    fields(record, [](std::string_view, auto &) {});
};

template<typename T>
struct IsStdArray : std::false_type
{};
template<typename T, std::size_t N>
struct IsStdArray<std::array<T, N>> : std::true_type
{};

template<typename T>
struct IsFixedText : std::false_type
{};
template<std::size_t N>
struct IsFixedText<FixedText<N>> : std::true_type
{};

template<typename T>
struct IsKindGroupArray : std::false_type
{};
template<typename T>
struct IsKindGroupArray<KindGroupArray<T>> : std::true_type
{};

// Writes a record in its packed data-file form.
struct FieldPacker
{
    ByteWriter &writer;

    template<typename T>
    void operator()(std::string_view, const T &field)
    {
        pack(field);
    }

    template<typename T>
    void pack(const T &field)
    {
        if constexpr (std::is_same_v<T, std::int16_t>) {
            writer.i16(field);
        } else if constexpr (std::is_same_v<T, std::uint16_t>) {
            writer.u16(field);
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
            writer.u8(field);
        } else if constexpr (std::is_same_v<T, double>) {
            // Eight bytes, little-endian IEEE 754.
            const auto bits = std::bit_cast<std::uint64_t>(field);
            for (int shift = 0; shift < 64; shift += 8)
                writer.u8(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
        } else if constexpr (IsFixedText<T>::value) {
            writer.text(field);
        } else if constexpr (IsStdArray<T>::value) {
            for (const auto &element : field)
                pack(element);
        } else if constexpr (IsKindGroupArray<T>::value) {
            pack(field.values);
        } else {
            static_assert(FieldListed<const T>, "a field of a type without a field list");
            fields(field, *this);
        }
    }
};

// Reads a record from its packed data-file form; a short input reads as zeros and fails the
// reader (ByteReader).
struct FieldUnpacker
{
    ByteReader &reader;

    template<typename T>
    void operator()(std::string_view, T &field)
    {
        unpack(field);
    }

    template<typename T>
    void unpack(T &field)
    {
        if constexpr (std::is_same_v<T, std::int16_t>) {
            field = reader.i16();
        } else if constexpr (std::is_same_v<T, std::uint16_t>) {
            field = reader.u16();
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
            field = reader.u8();
        } else if constexpr (std::is_same_v<T, double>) {
            std::uint64_t bits = 0;
            for (int shift = 0; shift < 64; shift += 8)
                bits |= static_cast<std::uint64_t>(reader.u8()) << shift;
            field = std::bit_cast<double>(bits);
        } else if constexpr (IsFixedText<T>::value) {
            reader.text(field);
        } else if constexpr (IsStdArray<T>::value) {
            for (auto &element : field)
                unpack(element);
        } else if constexpr (IsKindGroupArray<T>::value) {
            unpack(field.values);
        } else {
            static_assert(FieldListed<T>, "a field of a type without a field list");
            fields(field, *this);
        }
    }
};

template<FieldListed Record>
void packFields(ByteWriter &writer, const Record &record)
{
    FieldPacker{writer}.pack(record);
}

template<FieldListed Record>
void unpackFields(ByteReader &reader, Record &record)
{
    FieldUnpacker{reader}.unpack(record);
}

// Sets every field that has a new-document value to it, in arrays and inner records too; the
// other fields keep theirs.
struct NewValueSetter
{
    template<typename T>
    void operator()(const FieldDescription &description, T &field)
    {
        set(description, field);
    }

    template<typename T>
    void set(const FieldDescription &description, T &field)
    {
        if constexpr (std::is_integral_v<T>) {
            if (description.hasNewValue)
                field = static_cast<T>(description.newValue);
        } else if constexpr (IsStdArray<T>::value) {
            for (auto &element : field)
                set(description, element);
        } else if constexpr (IsKindGroupArray<T>::value) {
            for (auto &element : field.values)
                set(description, element);
        } else if constexpr (FieldListed<T>) {
            fields(field, *this);
        }
    }
};

template<FieldListed Record>
void applyNewValues(Record &record)
{
    fields(record, NewValueSetter{});
}
