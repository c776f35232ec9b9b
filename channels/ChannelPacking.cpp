#include "channels/ChannelPacking.h"

#include "model/Document.h"
#include "model/RadioImage.h"

void PackChannels(const DocumentSet &, RadioImage &) {}

void UnpackGroupChannels(const RadioImage &, DocumentSet &) {}

void UnpackMemoryChannels(const RadioImage &, DocumentSet &) {}

void UnpackMemoryExtras(const RadioImage &, DocumentSet &) {}
