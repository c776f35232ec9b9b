#pragma once

#include <cstdint>

class RadioImage;
struct ChannelRecord;
struct DocumentSet;

// Image steps of the channel tables.
// Group channels with their bit tables, then memory channels with their bit tables and extra bytes.
void PackChannels(const DocumentSet &document, RadioImage &image);
// Appends every valid slot of every group to its list (counts and Present already cleared).
void UnpackGroupChannels(const RadioImage &image, DocumentSet &document);
void UnpackMemoryChannels(const RadioImage &image, DocumentSet &document);
void UnpackMemoryExtras(const RadioImage &image, DocumentSet &document);

// One 16-byte channel slot: the receive frequency in bytes 0-3, tones, switches, roger beep and
// mode in bytes 4-11; bytes 12-15 are left as they are.
void PackChannelSlot(const ChannelRecord &record, RadioImage &image, std::uint32_t address);
// Reads bytes 4-11 of a slot into the record's fields (the frequency is read by the caller).
void UnpackChannelSlotFields(const RadioImage &image, std::uint32_t address, ChannelRecord &record);
