#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DocumentSet;

// Channel lists as CSV text (UTF-8, comma separated, fields with commas, quotes or line breaks in
// double quotes, quotes doubled).
//
// The program's own layout has a header line and one line per channel and memory channel:
//   Kind,Group,Channel,Frequency,Mode,RxTone,TxTone,Scan,HiCut,NoiseBlanker,Echo,Plus10k,
//   BusyLockout,Anl,Repeater,Public,RogerBeep,DtmfBot,DtmfEot,DtmfCall,MemChannel,MemBand,Spare3
// Kind is CB, HF, HAM or MEM (memory channels leave Group empty).
std::string exportChannelCsv(const DocumentSet &document);

// Where the lines of a file in the common layout of other programming tools go (Location,
// Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, Mode,
// Skip): a kind and group, or the memory channels (kind -1).
struct CsvTarget
{
    int kind = 1;
    int group = 1;
};

struct CsvImportResult
{
    // "line 7: ..." for every line that could not be used; nothing was changed when not empty.
    std::vector<std::string> errors;
    int channels = 0;               // lines applied
    std::vector<std::string> notes; // columns read but not kept, once each
};

// Applies the lines to the document. Every group (or the memory channels) the file names gets
// exactly the file's lines, in their order; what the file leaves out of a line keeps the value
// the channel with that number had, or a new channel's default. Every frequency passes the range
// check of its kind as the channel window makes it, unless it is the frequency the channel has
// already. All or nothing: one bad line and the document stays as it was.
CsvImportResult importChannelCsv(std::string_view text, DocumentSet &document,
                                 const std::optional<CsvTarget> &commonLayoutTarget);

// The rows of a CSV text with the line number each starts on; a byte-order mark is skipped.
struct CsvRow
{
    int line = 0;
    std::vector<std::string> fields;
};
std::vector<CsvRow> parseCsv(std::string_view text);
std::string csvField(std::string_view text);
