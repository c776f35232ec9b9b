#include "channels/ChannelRecordForm.h"

#include "model/ByteIO.h"
#include "model/ChannelRecord.h"

namespace {

// One list of the fields serves both directions, so the two can never disagree on the order.
template<typename Record, typename Visitor>
void visitFields(Record &record, Visitor &&visit)
{
    visit(record.Number);
    visit(record.Present);
    visit(record.Scan);
    visit(record.RxDigits);
    visit(record.TxDigits);
    visit(record.Spare1);
    visit(record.Spare2);
    visit(record.TxToneType);
    visit(record.TxCtcss);
    visit(record.TxDcs);
    visit(record.Spare3);
    visit(record.Mode);
    visit(record.HiCut);
    visit(record.NoiseBlanker);
    visit(record.Echo);
    visit(record.Plus10k);
    visit(record.BusyLockout);
    visit(record.RogerBeep);
    visit(record.Repeater);
    visit(record.Public);
    visit(record.DtmfBot);
    visit(record.DtmfEot);
    visit(record.DtmfCall);
    visit(record.RxToneType);
    visit(record.RxCtcss);
    visit(record.RxDcs);
    visit(record.Anl);
    visit(record.MemBand);
    visit(record.MemChannelId);
}

struct FieldWriter
{
    ByteWriter &writer;
    void operator()(std::int16_t value) { writer.i16(value); }
    void operator()(std::uint16_t value) { writer.u16(value); }
    void operator()(const FixedText<8> &text) { writer.text(text); }
};

struct FieldReader
{
    ByteReader &reader;
    void operator()(std::int16_t &value) { value = reader.i16(); }
    void operator()(std::uint16_t &value) { value = reader.u16(); }
    void operator()(FixedText<8> &text) { reader.text(text); }
};

} // namespace

void writeChannelRecord(ByteWriter &writer, const ChannelRecord &record)
{
    visitFields(record, FieldWriter{writer});
}

void readChannelRecord(ByteReader &reader, ChannelRecord &record)
{
    visitFields(record, FieldReader{reader});
}
