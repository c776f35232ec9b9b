#pragma once

class RadioImage;
struct DocumentSet;

// Image steps of the channel tables.
// Group channels with their bit tables, then memory channels with their bit tables and extra bytes.
void PackChannels(const DocumentSet &document, RadioImage &image);
// Appends every valid slot of every group to its list (counts and Present already cleared).
void UnpackGroupChannels(const RadioImage &image, DocumentSet &document);
void UnpackMemoryChannels(const RadioImage &image, DocumentSet &document);
void UnpackMemoryExtras(const RadioImage &image, DocumentSet &document);
