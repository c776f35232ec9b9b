#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line companion's verbs for the text form of a document. Each answers 0 on success,
// 1 for input that cannot be used (nothing is written then), 2 for wrong arguments.
//
//   export FILE.dat [--out FILE.yaml]   the whole pair as YAML (on stdout without --out)
//   import FILE.yaml --out FILE.dat [--base OTHER.dat]
//                                       the pair the text gives over the base (default: the new
//                                       document); every problem with its file:line:column
//   schema [--out FILE.json]            the JSON Schema of the text form
int runExportVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runImportVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
int runSchemaVerb(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

int runExportVerb(const std::vector<std::string> &args);
int runImportVerb(const std::vector<std::string> &args);
int runSchemaVerb(const std::vector<std::string> &args);

// Where the installation keeps the schema, as the "# yaml-language-server: $schema=" line of an
// export names it (a file: URL); empty without an application object or an installed schema.
std::string installedSchemaLocation();
