#include "datafile/QtChannelChart.h"

#include <QFile>
#include <QLocale>
#include <QPdfWriter>
#include <QTextDocument>

#include "datafile/ChannelChart.h"

QPageSize::PageSizeId localePageSize()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                      : QPageSize::A4;
}

void paintChannelChart(const ChannelChart &chart, QPagedPaintDevice &device)
{
    QTextDocument document;
    document.setHtml(QString::fromStdString(channelChartHtml(chart)));
    // An unpaginated document is broken into the device's pages, each numbered at its foot.
    document.print(&device);
}

std::optional<QString> writeChannelChartPdf(const ChannelChart &chart, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(localePageSize()));
    writer.setTitle(QString::fromStdString(chart.title));
    writer.setCreator(QStringLiteral("ORX-740"));
    paintChannelChart(chart, writer);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return std::nullopt;
}
