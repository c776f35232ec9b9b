#include "datafile/DocumentJson.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <type_traits>

#include "datafile/ChannelColumns.h"
#include "model/RecordText.h"
#include "options/OptionTable.h"
#include "radio/Document.h"
#include "radio/FrequencyCodec.h"

namespace {

// A record text as the JSON shows it: as the windows show it (trailing spaces removed, cut at the
// first NUL, decoded from the system's code page). The one place to decode the record bytes.
template<std::size_t N>
std::string recordText(const FixedText<N> &text)
{
    return recordTextToUtf8(text.raw());
}

// Builds JSON text with the commas and indents in their places.
class JsonWriter
{
public:
    void beginObject(const char *key = nullptr) { open(key, '{'); }
    void beginArray(const char *key = nullptr) { open(key, '['); }
    void end()
    {
        const char close = m_closers.back();
        m_closers.pop_back();
        const bool empty = m_first.back();
        m_first.pop_back();
        if (!empty)
            newline();
        m_text += close;
    }
    void value(const char *key, const std::string &raw)
    {
        item(key);
        m_text += raw;
    }
    void text(const char *key, const std::string &text) { value(key, jsonString(text)); }
    void number(const char *key, long long number) { value(key, std::to_string(number)); }
    void boolean(const char *key, bool value) { this->value(key, value ? "true" : "false"); }
    std::string finish() { return m_text + "\n"; }

private:
    void open(const char *key, char bracket)
    {
        item(key);
        m_text += bracket;
        m_closers.push_back(bracket == '{' ? '}' : ']');
        m_first.push_back(true);
    }
    void item(const char *key)
    {
        if (!m_first.empty()) {
            if (!m_first.back())
                m_text += ',';
            m_first.back() = false;
            newline();
        }
        if (key)
            m_text += jsonString(key) + ": ";
    }
    void newline()
    {
        m_text += '\n';
        m_text.append(m_closers.size() * 2, ' ');
    }

    std::string m_text;
    std::vector<char> m_closers;
    std::vector<bool> m_first;
};

void writeChannel(JsonWriter &json, const ChannelRecord &record)
{
    json.beginObject();
    json.number("channel", record.Number);
    for (const ChannelColumn &column : channelColumns())
        json.text(std::string(column.name).c_str(), column.show(record));
    json.end();
}

const char *controlName(OptionControl control)
{
    switch (control) {
    case OptionControl::Combo1:
        return "Combo1";
    case OptionControl::PublicBox:
        return "PublicBox";
    case OptionControl::Check1:
        return "Check1";
    case OptionControl::Text2:
        return "Text2";
    case OptionControl::Text4:
        return "Text4";
    }
    return "?";
}

// Every identity field by its name: the texts as the windows show them, the numbers as they are.
void writeIdentity(JsonWriter &json, const IdentityRecord &identity)
{
    json.beginObject("identity");
    fields(identity, [&json](std::string_view name, const auto &field) {
        const std::string key(name);
        if constexpr (std::is_integral_v<std::remove_cvref_t<decltype(field)>>)
            json.number(key.c_str(), field);
        else
            json.text(key.c_str(), recordText(field));
    });
    json.end();
}

void writeCurrentGroups(JsonWriter &json, const SettingsRecord &settings)
{
    json.text("currentKind", std::string(kindName(settings.currentKind)));
    json.beginObject("currentGroups");
    for (int kind = 0; kind < kKindCount; ++kind)
        json.number(std::string(kindName(kind)).c_str(), settings.currentGroup[std::size_t(kind)]);
    json.end();
}

void writeGroup(JsonWriter &json, const DocumentSet &document, int kind, int group)
{
    const GroupNameTable &names = document.settings.options.groupNames;
    json.beginObject();
    json.number("group", group);
    if (group <= namedGroupCount(kind)) {
        json.text("name", recordText(names.names.at(kind, group)));
        json.boolean("valid", names.valid.at(kind, group) != 0);
    } else {
        json.text("name", group == memGroup(kind) ? "MEM" : "VFO");
    }
    const int count = std::clamp(document.channelCount(kind, group), 0, kMaxChannelsPerGroup);
    json.number("channelCount", count);
    json.beginArray("channels");
    for (int index = 1; index <= count; ++index)
        writeChannel(json, document.channels.entry(kind, group, index));
    json.end();
    json.end();
}

void writeKinds(JsonWriter &json, const DocumentSet &document)
{
    json.beginArray("kinds");
    for (int kind = 0; kind < kKindCount; ++kind) {
        json.beginObject();
        json.text("kind", std::string(kindName(kind)));
        json.beginArray("groups");
        for (int group = 1; group <= groupCount(kind); ++group)
            writeGroup(json, document, kind, group);
        json.end();
        json.end();
    }
    json.end();
}

void writeMemoryChannels(JsonWriter &json, const MemoryChannels &memories)
{
    json.beginArray("memoryChannels");
    for (const ChannelRecord &memory : memories.records)
        if (memory.Present)
            writeChannel(json, memory);
    json.end();
}

void writeOptions(JsonWriter &json, const SettingsRecord &settings)
{
    json.beginArray("options");
    for (const OptionRow &row : optionRows()) {
        if (!row.field)
            continue;
        json.beginObject();
        json.text("label", std::string(textFor(row.label, English)));
        json.text("control",
                  std::string(controlName(row.control)) + "(" + std::to_string(row.index) + ")");
        if (row.publicSet >= 0)
            json.text("publicChannel", std::string(kindName(row.publicSet)));
        json.number("value", row.field.get(settings));
        if (row.control == OptionControl::Check1)
            json.boolean("ticked", shownChecked(row, settings));
        else if (row.control != OptionControl::Text2 && row.control != OptionControl::Text4)
            json.text("shown", shownText(row, settings, English));
        json.end();
    }
    json.end();
}

void writeToneSets(JsonWriter &json, const ToneTipTable &toneTips)
{
    json.beginArray("toneSets");
    for (int set = 1; set <= kToneSetCount; ++set) {
        const ToneSet &tones = toneTips.set(set);
        json.beginObject();
        json.number("set", set);
        json.number("plays", tones.recycleTimes);
        json.number("pause10ms", tones.interTime);
        json.beginArray("tones");
        for (const Tone &tone : tones.tones) {
            json.beginObject();
            json.number("frequency10Hz", tone.frequency);
            json.number("duration10ms", tone.duration);
            json.end();
        }
        json.end();
        json.end();
    }
    json.end();
}

void writeDtmfCodes(JsonWriter &json, const DtmfCodeTable &codes)
{
    json.beginArray("dtmfCodes");
    for (const DtmfCode &code : codes)
        json.text(nullptr, recordText(code));
    json.end();
}

template<std::size_t N>
void writeNumbers(JsonWriter &json, const char *key, const std::array<std::int16_t, N> &values)
{
    json.beginArray(key);
    for (const auto value : values)
        json.number(nullptr, value);
    json.end();
}

void writeBroadcast(JsonWriter &json, const BroadcastTable &broadcast)
{
    json.beginObject("broadcast");
    json.number("weatherOn", broadcast.weatherOn);
    json.number("currentChannel", broadcast.currentChannel);
    json.number("alert", broadcast.alert);
    json.number("scanState", broadcast.scanState);
    json.number("weatherVfo", broadcast.weatherVfo);
    json.number("step", broadcast.step);
    json.number("squelch", broadcast.squelch);
    json.beginArray("channels");
    for (const BroadcastEntry &entry : broadcast.entries) {
        json.beginObject();
        json.number("valid", entry.valid);
        json.value("frequencyMHz", plainNumberText(entry.frequency));
        json.number("onOff", entry.onOff);
        json.number("bandwidth", entry.bandwidth);
        json.number("scan", entry.scan);
        json.end();
    }
    json.end();
    json.end();
}

} // namespace

std::string jsonString(const std::string &text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            // Every text here is UTF-8: record texts are decoded before they are written.
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string documentToJson(const DocumentSet &document)
{
    const SettingsRecord &settings = document.settings;
    JsonWriter json;
    json.beginObject();
    json.text("format", "orx740-document");
    json.number("formatVersion", 1);
    json.text("version", recordText(settings.version));
    writeIdentity(json, settings.identity);
    writeCurrentGroups(json, settings);
    writeKinds(json, document);
    writeMemoryChannels(json, document.memories);
    writeOptions(json, settings);
    json.text("bluetoothDeviceName", recordText(settings.options.btDeviceName));
    writeToneSets(json, settings.toneTips);
    writeDtmfCodes(json, settings.options.dtmfCodes);
    writeNumbers(json, "emergency", settings.emergency.values);
    writeNumbers(json, "dualWatch", settings.dualWatch.values);
    writeNumbers(json, "memorySettings", settings.memorySettings.values);
    writeBroadcast(json, settings.options.broadcast);
    json.end();
    return json.finish();
}
