#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

struct ChannelChart;
class QPagedPaintDevice;

// The paper of this place: Letter where the locale measures in inches (the United States and a
// few others), A4 everywhere else.
QPageSize::PageSizeId localePageSize();

// Lays the chart out on the device's pages, with the page numbers at the foot of each page.
void paintChannelChart(const ChannelChart &chart, QPagedPaintDevice &device);

// Writes the chart as a PDF on the locale's paper; the reason when the file cannot be written.
std::optional<QString> writeChannelChartPdf(const ChannelChart &chart, const QString &path);
