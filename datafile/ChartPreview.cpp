#include "datafile/ChartPreview.h"

#include <QDate>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "datafile/ChannelChart.h"
#include "datafile/QtChannelChart.h"
#include "kernel/AppContext.h"
#include "kernel/MainWindowHooks.h"
#include "kernel/MainWindowHost.h"
#include "lang/Messages.h"
#include "lang/QtText.h"

void previewChannelChart(AppContext &context, MainWindowHost &host)
{
    ChartOptions options;
    options.language = context.language.languageIndex;
    options.fileName =
        QFileInfo(QString::fromStdString(context.document.documentPath)).fileName().toStdString();
    options.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    std::string error;
    const std::optional<ChannelChart> chart = channelChart(context.document, options, &error);
    if (!chart)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(localePageSize()));
    printer.setDocName(QString::fromStdString(chart->title));
    QPrintPreviewDialog preview(&printer, host.dialogParent());
    preview.setObjectName(QStringLiteral("ChannelChartPreview"));
    preview.setWindowTitle(QString::fromStdString(chart->title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&chart](QPrinter *device) { paintChannelChart(*chart, *device); });
    // The preview accepts when its print button has printed the chart.
    if (preview.exec() == QDialog::Accepted)
        host.showStatusMessage(qText(context.text(StatusTexts::kPrinted)));
}

void registerChartCommand(MainWindowHooks &hooks)
{
    hooks.setCommand(MainCommand::PrintChannelChart, previewChannelChart);
}
