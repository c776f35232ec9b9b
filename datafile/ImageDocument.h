#pragma once

#include <string_view>

#include "datafile/DataFileFormat.h"

class Document;
class RadioImage;
struct DocumentSet;

// The document a radio image stands for, and the data file pair it is saved as.

// The image unpacked onto a copy of `base`: the image's regions replace the records they hold,
// and what the image does not carry stays as the base has it. Every read from the radio, the
// unpack verb and every backup make their document this way; they differ only in the base.
DocumentSet documentFromImage(const RadioImage &image, const DocumentSet &base);

// The working set of a new document dated `date` ("YYYYMMDD"), as the command line reads onto it.
DocumentSet newDocumentBase(std::string_view date);

// The pair every companion verb and every backup writes: saved as File > Save saves, so that
// opening and saving it again changes nothing. The band text is the one a restore gives the
// document's current kind; the snapshot then refreshes both model names, the model code and the
// first band class from the model name and that band text.
PackedPair packForSaving(Document &document);
// The same for a working set alone, in a document of its own.
PackedPair packForSaving(const DocumentSet &working);
