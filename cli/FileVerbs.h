#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "datafile/ImageDocument.h"

// The command-line companion's verbs for data files and radio images. Each takes the words after
// the verb, writes its output to `out` and a one-line error to `err`, and answers the exit status:
// 0 on success, 1 for input that cannot be used (a missing, short or unknown file), 2 for wrong
// arguments.
//
//   unpack IMAGE --out FILE.dat   a raw image (0x22201 bytes, as read from the radio) to a data
//                                 file pair, as a read followed by Save As would write it
//   pack FILE.dat --out IMAGE     a data file pair to the raw image a write would send
//   show [--json] FILE.dat        a readable summary of a data file pair, or all of it as JSON
int runUnpackVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runPackVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runShowVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// The same on the standard output and error streams.
int runUnpackVerb(const std::vector<std::string> &args);
int runPackVerb(const std::vector<std::string> &args);
int runShowVerb(const std::vector<std::string> &args);

class RadioImage;
class DataFileStorage;
class Document;
struct DocumentSet;

// Reads a data file pair with the checks Open makes (after settling what an interrupted save
// left) into the document's saved copy and working set; an error text when it cannot be used.
std::string readDataFilePair(DataFileStorage &storage, const std::string &path, Document &document);

// What a write to the radio sends for a data file pair: the pair read with the checks Open makes,
// packed into a cleared image. An error text, or empty on success.
std::string imageFromDataFile(const std::string &path, RadioImage &image);
// What a read from the radio keeps: the image unpacked into a new document and saved as a data
// file pair (".dat" added when missing). The path written, or an error text.
struct DataFileWriteResult
{
    std::string path;
    std::string error;
};
DataFileWriteResult dataFileFromImage(const RadioImage &image, const std::string &path);
// A working set saved as a data file pair the way every companion verb saves one (packForSaving,
// ".dat" added when missing). The path written, or an error text.
DataFileWriteResult saveDataFilePair(const DocumentSet &working, const std::string &path);
