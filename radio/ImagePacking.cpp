#include "radio/ImagePacking.h"

#include "model/RadioImage.h"
#include "radio/BroadcastTable.h"
#include "radio/ChannelPacking.h"
#include "radio/Document.h"
#include "radio/EmgDwMemSettings.h"
#include "radio/OptionRecord.h"
#include "radio/RogerBeep.h"

namespace {

void clearChannelLists(DocumentSet &document)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int group = 1; group <= kMaxGroup; ++group) {
            document.settings.channelCounts.at(kind, group) = 0;
            for (int index = 1; index <= kMaxChannelsPerGroup; ++index)
                document.channels.entry(kind, group, index).Number = 0;
        }
    }
}

void clearPresentFlags(DocumentSet &document)
{
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= kMaxGroup; ++group)
            for (int index = 1; index <= kMaxChannelsPerGroup; ++index)
                document.channels.entry(kind, group, index).Present = 0;
    for (ChannelRecord &memory : document.memories.records)
        memory.Present = 0;
}

} // namespace

void PackDocumentIntoImage(const DocumentSet &document, RadioImage &image)
{
    image.clear();
    PackChannels(document, image);
    EncodeOptions(document.settings, image);
    EncodeToneTips(document.settings, image);
    EncodeSpecialChannels(document.settings, image);
    EncodeBroadcast(document.settings, image);
}

void UnpackImageIntoDocument(const RadioImage &image, DocumentSet &document)
{
    clearChannelLists(document);
    DecodeOptions(image, document.settings);
    clearPresentFlags(document);
    UnpackGroupChannels(image, document);
    UnpackMemoryChannels(image, document);
    UnpackMemoryExtras(image, document);
    DecodeToneTips(image, document.settings);
    DecodeSpecialChannels(image, document.settings);
    DecodeBroadcast(image, document.settings);
}
