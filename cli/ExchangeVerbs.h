#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class RadioImage;

// The command-line companion's verbs for comparing and exchanging data. Each takes the words
// after the verb and answers the exit status.
//
//   diff A B                          A and B are data files or raw images, in any mix: the
//                                     differences in the program's terms; 0 equal, 1 different,
//                                     2 when the comparison could not be made
//   export-csv FILE.dat --out F.csv   one line per channel and memory channel
//   import-csv F.csv --into FILE.dat [--kind K --group G]
//                                     applies the lines to the pair (made from the new-document
//                                     defaults when missing); all or nothing
//   backups                           the backups of reads and writes, newest first
int runDiffVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runExportCsvVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runImportCsvVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runBackupsVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

int runDiffVerb(const std::vector<std::string> &args);
int runExportCsvVerb(const std::vector<std::string> &args);
int runImportCsvVerb(const std::vector<std::string> &args);
int runBackupsVerb(const std::vector<std::string> &args);

// What verify and write --verify print and answer: the differences between what the file packs
// to and what the radio holds, with exit status 0 (equal) or 1 (different).
int reportImageComparison(const RadioImage &fromFile, const RadioImage &fromRadio,
                          std::ostream &out);

// The installation's new-document InitFile (empty without an application object), and the
// folder the program keeps its backups in.
std::string installedNewDocumentPath();
std::string backupFolderForCompanion();
