#pragma once

#include <optional>
#include <string>
#include <vector>

class Document;

// What a channel chart shows: which kinds and groups, which columns, in which language.
struct ChartOptions
{
    std::optional<int> kind;          // every kind when none
    std::optional<int> group;         // every group of the kind(s) when none
    std::vector<std::string> columns; // channel column names; the chart's usual set when empty
    int language = 1;                 // 1 English, 2 Chinese
    std::string fileName;             // named in the heading
    std::string date;                 // "2026-12-09", named in the heading
};

// One group's table: the channels present, each a row of column texts.
struct ChartTable
{
    std::string title; // "HAM group 1 (A)"
    std::vector<std::vector<std::string>> rows;
};

// The chart of a document: a heading, the column titles, and one table per group that holds
// channels (empty channels and empty groups are left out), then the memory channels when every
// group is shown.
struct ChannelChart
{
    std::string title;   // "ORX-740 channel chart"
    std::string heading; // file name, model, band and date
    std::vector<std::string> columnTitles;
    std::vector<ChartTable> tables;
};

// The column names a chart may show (the exchange files' names, "Frequency", "RxTone", ...) and
// the ones it shows by default.
std::vector<std::string> chartColumnNames();
std::vector<std::string> defaultChartColumns();

// The chart; nothing with the reason in *error for an unknown column, kind or group.
std::optional<ChannelChart> channelChart(const Document &document, const ChartOptions &options,
                                         std::string *error);

// The chart as one HTML text: the heading, then a table per group whose title row and column
// row repeat on every page it spans.
std::string channelChartHtml(const ChannelChart &chart);
