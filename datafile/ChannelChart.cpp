#include "datafile/ChannelChart.h"

#include <algorithm>

#include "datafile/ChannelColumns.h"
#include "lang/HtmlText.h"
#include "lang/Texts.h"
#include "model/RecordText.h"
#include "radio/Document.h"

namespace {

struct ColumnTitle
{
    std::string_view column;
    TextEntry title;
};

// The chart's column titles; a column without one is titled by its name.
constexpr ColumnTitle kColumnTitles[]{
    {"Channel", {"", "CH", "信道"}},         {"Frequency", {"", "Frequency [MHz]", "频率 [MHz]"}},
    {"Mode", {"", "Mode", "模式"}},          {"RxTone", {"", "RX tone", "接收亚音"}},
    {"TxTone", {"", "TX tone", "发射亚音"}}, {"Scan", {"", "Scan", "扫描"}},
    {"Repeater", {"", "Repeater", "中继"}},  {"RogerBeep", {"", "Roger", "尾音"}},
};

constexpr TextEntry kChartTitle{"", "ORX-740 channel chart", "ORX-740 信道表"};
constexpr TextEntry kGroupWord{"", " group ", " 组 "};
constexpr TextEntry kMemoryChannels{"", "Memory channels", "存储信道"};
constexpr TextEntry kFileWord{"", "File: ", "文件："};
constexpr TextEntry kModelWord{"", "Model: ", "型号："};
constexpr TextEntry kBandWord{"", "Band: ", "频段："};
constexpr TextEntry kDateWord{"", "Date: ", "日期："};

std::string columnTitle(const std::string &column, int language)
{
    for (const ColumnTitle &entry : kColumnTitles)
        if (entry.column == column)
            return std::string(textFor(entry.title, language));
    return column;
}

// The columns' switch words are the data exchange's English ones; a Chinese chart shows the
// words the channel window shows. Every other cell (numbers, tones, modes) reads the same in both.
constexpr TextEntry kOffCell{"", "Off", "关"};
constexpr TextEntry kOnCell{"", "On", "开"};

std::string chartCell(std::string text, int language)
{
    for (const TextEntry &word : {kOffCell, kOnCell})
        if (text == textFor(word, English))
            return std::string(textFor(word, language));
    return text;
}

std::vector<std::string> chartRow(const ChannelRecord &record,
                                  const std::vector<const ChannelColumn *> &columns, int language)
{
    std::vector<std::string> row;
    row.reserve(columns.size());
    for (const ChannelColumn *column : columns)
        row.push_back(column ? chartCell(column->show(record), language)
                             : std::to_string(record.Number));
    return row;
}

// "HAM group 3 (A1)"; the MEM and VFO groups by their own names.
std::string groupTitle(const DocumentSet &set, int kind, int group, int language)
{
    std::string title = std::string(kindName(kind)) + std::string(textFor(kGroupWord, language));
    if (group == memGroup(kind))
        return title + "MEM";
    if (group == vfoGroup(kind))
        return title + "VFO";
    title += std::to_string(group);
    const std::string name =
        recordTextToUtf8(set.settings.options.groupNames.names.at(kind, group).raw());
    const std::string_view shown = trimmed(name);
    return shown.empty() ? title : title + " (" + std::string(shown) + ")";
}

} // namespace

std::vector<std::string> chartColumnNames()
{
    std::vector<std::string> names{"Channel"};
    for (const ChannelColumn &column : channelColumns())
        names.emplace_back(column.name);
    return names;
}

std::vector<std::string> defaultChartColumns()
{
    return {"Channel", "Frequency", "Mode", "RxTone", "TxTone", "Scan", "Repeater", "RogerBeep"};
}

std::optional<ChannelChart> channelChart(const Document &document, const ChartOptions &options,
                                         std::string *error)
{
    const std::vector<std::string> names =
        options.columns.empty() ? defaultChartColumns() : options.columns;
    std::vector<const ChannelColumn *> columns;
    for (const std::string &name : names) {
        const ChannelColumn *column = findChannelColumn(name);
        if (!column && name != "Channel") {
            *error = "unknown column " + name;
            return std::nullopt;
        }
        columns.push_back(column);
    }
    if (options.kind && (*options.kind < 0 || *options.kind >= kKindCount)) {
        *error = "unknown kind";
        return std::nullopt;
    }
    if (options.group && (!options.kind || groupCapacity(*options.kind, *options.group) == 0)) {
        *error = options.kind ? "kind " + std::string(kindName(*options.kind)) + " has no group " +
                                    std::to_string(*options.group)
                              : std::string("--group needs --kind");
        return std::nullopt;
    }

    const int language = options.language;
    const DocumentSet &set = document.working();
    ChannelChart chart;
    chart.title = std::string(textFor(kChartTitle, language));
    chart.heading = std::string(textFor(kFileWord, language)) + options.fileName + " \xC2\xB7 " +
                    std::string(textFor(kModelWord, language)) + document.modelName() +
                    " \xC2\xB7 " + std::string(textFor(kBandWord, language)) + document.bandText() +
                    " \xC2\xB7 " + std::string(textFor(kDateWord, language)) + options.date;
    for (const std::string &name : names)
        chart.columnTitles.push_back(columnTitle(name, language));

    for (int kind = 0; kind < kKindCount; ++kind) {
        if (options.kind && kind != *options.kind)
            continue;
        for (int group = 1; group <= groupCount(kind); ++group) {
            if (options.group && group != *options.group)
                continue;
            ChartTable table{groupTitle(set, kind, group, language), {}};
            for (int index = 1; index <= set.channelCount(kind, group); ++index)
                table.rows.push_back(
                    chartRow(set.channels.entry(kind, group, index), columns, language));
            if (!table.rows.empty())
                chart.tables.push_back(std::move(table));
        }
    }
    if (!options.kind && !options.group) {
        ChartTable memories{std::string(textFor(kMemoryChannels, language)), {}};
        for (int number = 1; number <= kMemoryChannelCount; ++number)
            if (set.memories.at(number).Present)
                memories.rows.push_back(chartRow(set.memories.at(number), columns, language));
        if (!memories.rows.empty())
            chart.tables.push_back(std::move(memories));
    }
    return chart;
}

std::string channelChartHtml(const ChannelChart &chart)
{
    std::string html = "<html><body><h2>" + htmlEscaped(chart.title) + "</h2><p>" +
                       htmlEscaped(chart.heading) + "</p>";
    const std::size_t span = chart.columnTitles.size();
    for (const ChartTable &table : chart.tables) {
        html += R"(<table border="1" cellspacing="0" cellpadding="3" width="100%">)";
        html += R"(<thead><tr><th colspan=")" + std::to_string(span) + R"(" align="left">)" +
                htmlEscaped(table.title) + "</th></tr><tr>";
        for (const std::string &title : chart.columnTitles)
            html += "<th>" + htmlEscaped(title) + "</th>";
        html += "</tr></thead>";
        for (const auto &row : table.rows) {
            html += "<tr>";
            for (const std::string &cell : row)
                html += "<td>" + htmlEscaped(cell) + "</td>";
            html += "</tr>";
        }
        html += "</table><p></p>";
    }
    return html + "</body></html>";
}
