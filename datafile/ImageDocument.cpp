#include "datafile/ImageDocument.h"

#include <memory>

#include "model/Band.h"
#include "radio/Document.h"
#include "radio/ImagePacking.h"
#include "radio/OptionRecord.h"

DocumentSet documentFromImage(const RadioImage &image, const DocumentSet &base)
{
    DocumentSet document = base;
    UnpackImageIntoDocument(image, document);
    return document;
}

DocumentSet newDocumentBase(std::string_view date)
{
    const auto document = std::make_unique<Document>();
    ApplyNewDocumentDefaults(document->working().settings, date, document->bandClass());
    return document->working();
}

PackedPair packForSaving(Document &document)
{
    document.setBandText(bandTextAfterRestore(document.working().settings.currentKind));
    document.takeSnapshot();
    return packDataFilePair(document.saved());
}

PackedPair packForSaving(const DocumentSet &working)
{
    const auto document = std::make_unique<Document>();
    document->working() = working;
    return packForSaving(*document);
}
