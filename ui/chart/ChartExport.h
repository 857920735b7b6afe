#pragma once
// Keeping a chart: the picture with its caption as a PNG (at a chosen
// scale), SVG or PDF file, on a printer page or as a clipboard image.
// Files are encoded in memory first and written all or nothing.

#include <QByteArray>
#include <QImage>
#include <QString>

#include "ui/chart/ChartPicture.h"

class QPainter;

namespace qelvar {

enum class ChartFileFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix; PNG for any other.
ChartFileFormat FormatOfPath(const QString& path);

// The chart with its caption underneath as an image of `scale` times its
// logical size.
QImage ChartImage(const ChartPicture& picture, const QString& caption, double scale);

// The chart and caption fitted into `area` of a painter (a page).
void PaintChartPage(QPainter& painter, const ChartPicture& picture, const QString& caption,
                    const QRectF& area);

QByteArray EncodeChart(const ChartPicture& picture, const QString& caption, ChartFileFormat format,
                       double scale);

struct ChartSaveResult {
    bool ok = false;
    QString message;  // why it failed, in Chinese
};

// Writes the file whole or not at all; an existing file stays as it was
// when the write fails.
ChartSaveResult SaveChart(const ChartPicture& picture, const QString& caption, const QString& path,
                          ChartFileFormat format, double scale);

}  // namespace qelvar
