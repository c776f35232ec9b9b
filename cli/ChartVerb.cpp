#include "cli/ChartVerb.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>

#include <iostream>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/FileVerbs.h"
#include "datafile/ChannelChart.h"
#include "datafile/ChannelColumns.h"
#include "datafile/QtChannelChart.h"
#include "datafile/QtDataFileStorage.h"
#include "lang/Texts.h"
#include "radio/Document.h"

namespace {

int fail(const std::string &message, int status)
{
    std::cerr << "orx740-cli chart: " << message << '\n';
    return status;
}

std::vector<std::string> splitColumns(const std::string &text)
{
    std::vector<std::string> columns;
    std::stringstream stream(text);
    for (std::string column; std::getline(stream, column, ',');)
        if (!trimmed(column).empty())
            columns.emplace_back(trimmed(column));
    return columns;
}

// The options of the chart, or the reason they are not.
std::optional<ChartOptions> chartOptions(CommandLine &options, std::string &error)
{
    ChartOptions chart;
    if (const auto kind = options.value("--kind")) {
        chart.kind = kindFromName(*kind);
        if (!chart.kind) {
            error = "--kind is CB, HF or HAM, not " + *kind;
            return std::nullopt;
        }
    }
    bool ok = true;
    chart.group = options.number("--group", 1, 17, ok);
    if (!ok) {
        error = options.error();
        return std::nullopt;
    }
    if (const auto columns = options.value("--columns"))
        chart.columns = splitColumns(*columns);
    const std::string language = options.value("--language").value_or("en");
    if (language != "en" && language != "zh") {
        error = "--language is en or zh";
        return std::nullopt;
    }
    chart.language = language == "zh" ? Chinese : English;
    chart.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    return chart;
}

} // namespace

int runChart(int argc, char *argv[], const std::vector<std::string_view> &args)
{
    std::vector<std::string_view> named;
    std::vector<std::string_view> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].starts_with("--")) {
            named.push_back(args[i]);
            if (i + 1 < args.size() && args[i] != "--help")
                named.push_back(args[++i]);
        } else {
            files.push_back(args[i]);
        }
    }
    CommandLine options;
    if (!options.parse(named, {{"--pdf", true},
                               {"--kind", true},
                               {"--group", true},
                               {"--columns", true},
                               {"--language", true}}))
        return fail(options.error(), 2);
    if (files.size() != 1 || !options.has("--pdf"))
        return fail("usage: chart FILE.dat --pdf OUT.pdf [--kind K] [--group G] [--columns A,B]",
                    2);
    std::string error;
    std::optional<ChartOptions> chartSettings = chartOptions(options, error);
    if (!chartSettings)
        return fail(error, 2);

    // Fonts and page layout need a GUI application, which needs no display offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string path(files.front());
    QtDataFileStorage storage;
    Document document;
    if (const std::string readError = readDataFilePair(storage, path, document); !readError.empty())
        return fail(readError, 1);
    chartSettings->fileName = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    const std::optional<ChannelChart> chart = channelChart(document, *chartSettings, &error);
    if (!chart)
        return fail(error, 2);
    const QString out = QString::fromStdString(*options.value("--pdf"));
    if (const auto writeError = writeChannelChartPdf(*chart, out))
        return fail(out.toStdString() + ": " + writeError->toStdString(), 1);
    std::cout << "Wrote " << out.toStdString() << " (" << chart->tables.size() << " groups)\n";
    return 0;
}
