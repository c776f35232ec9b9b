#pragma once

class RadioImage;
struct DocumentSet;

// Before a write: clears the image, then every owner writes its region from the working set.
void PackDocumentIntoImage(const DocumentSet &document, RadioImage &image);
// After a read: the image's regions become the working set's records. Never rejects an image.
void UnpackImageIntoDocument(const RadioImage &image, DocumentSet &document);
