#include "ui/chart/ChartExport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstddef>
#include <span>

#include "io/AtomicFile.h"
#include "io/ErrorText.h"
#include "ui/app/AppLanguage.h"

namespace qelvar {

namespace {

constexpr int kCaptionMargin = 4;

QFont CaptionFont(const ChartPicture&) {
    return QFont();
}

// Height of the caption under a chart of `width` logical pixels.
int CaptionHeight(const QString& caption, int width, const QFont& font) {
    if (caption.isEmpty()) return 0;
    const QFontMetrics metrics(font);
    const QRect r = metrics.boundingRect(QRect(0, 0, width - 2 * kCaptionMargin, 1000),
                                         Qt::TextWordWrap, caption);
    return r.height() + 2 * kCaptionMargin;
}

QSize PageSize(const ChartPicture& picture, const QString& caption, const QFont& font) {
    const QSize chart = picture.Size();
    return {chart.width(), chart.height() + CaptionHeight(caption, chart.width(), font)};
}

// Chart at (0, 0) and the caption under it, in logical pixels.
void PaintLogical(QPainter& painter, const ChartPicture& picture, const QString& caption,
                  const QFont& font, double scale) {
    picture.Paint(painter, scale);
    if (caption.isEmpty()) return;
    const QSize page = PageSize(picture, caption, font);
    const int top = picture.Size().height();
    painter.save();
    painter.fillRect(QRect(0, top, page.width(), page.height() - top), Qt::white);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(kCaptionMargin, top + kCaptionMargin, page.width() - 2 * kCaptionMargin,
                           page.height() - top - 2 * kCaptionMargin),
                     Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Localized(caption));
    painter.restore();
}

QString WriteError(const AtomicWriteResult& result) {
    return QString::fromStdString(ChineseErrorText(result));
}

}  // namespace

ChartFileFormat FormatOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) return ChartFileFormat::Svg;
    if (suffix == QLatin1String("pdf")) return ChartFileFormat::Pdf;
    return ChartFileFormat::Png;
}

QImage ChartImage(const ChartPicture& picture, const QString& caption, double scale) {
    const QFont font = CaptionFont(picture);
    const QSize page = PageSize(picture, caption, font);
    QImage image(qRound(page.width() * scale), qRound(page.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintLogical(painter, picture, caption, font, scale);
    return image;
}

// A page: the caption as a title line on top, then the chart as large as
// the page holds, centred across.
void PaintChartPage(QPainter& painter, const ChartPicture& picture, const QString& caption,
                    const QRectF& area) {
    const QFont font = CaptionFont(picture);
    const QSize chart = picture.Size();
    const int title = CaptionHeight(caption, chart.width(), font);
    const QSize page(chart.width(), chart.height() + title);
    const double scale = std::min(area.width() / page.width(), area.height() / page.height());
    painter.save();
    painter.translate(area.left() + (area.width() - page.width() * scale) / 2, area.top());
    painter.scale(scale, scale);
    if (title > 0) {
        painter.save();
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(kCaptionMargin, kCaptionMargin, chart.width() - 2 * kCaptionMargin,
                               title - 2 * kCaptionMargin),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Localized(caption));
        painter.restore();
    }
    painter.translate(0, title);
    picture.Paint(painter, scale);
    painter.restore();
}

QByteArray EncodeChart(const ChartPicture& picture, const QString& caption, ChartFileFormat format,
                       double scale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QFont font = CaptionFont(picture);
    const QSize page = PageSize(picture, caption, font);
    switch (format) {
        case ChartFileFormat::Png: {
            QImageWriter writer(&buffer, "png");
            if (!writer.write(ChartImage(picture, caption, scale))) return {};
            break;
        }
        case ChartFileFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(page);
            svg.setViewBox(QRect(QPoint(0, 0), page));
            svg.setTitle(Localized(QStringLiteral("斗数排盘")));
            svg.setDescription(caption);
            QPainter painter(&svg);
            QFont named = font;
            named.setFamilies({QFontInfo(font).family()});
            PaintLogical(painter, picture.WithResolvedFont(), caption, named, 2.0);  // smoothed
            break;
        }
        case ChartFileFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setTitle(Localized(QStringLiteral("斗数排盘")));
            pdf.setCreator(Localized(QStringLiteral("Qelvar排盘")));
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
            QPainter painter(&pdf);
            PaintChartPage(painter, picture, caption, QRectF(painter.viewport()));
            break;
        }
    }
    return bytes;
}

ChartSaveResult SaveChart(const ChartPicture& picture, const QString& caption, const QString& path,
                          ChartFileFormat format, double scale) {
    const QByteArray bytes = EncodeChart(picture, caption, format, scale);
    if (bytes.isEmpty()) return {false, Localized(QStringLiteral("无法生成图像"))};
    const AtomicWriteResult written = WriteFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::span<const std::byte>(reinterpret_cast<const std::byte*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size())));
    if (!written.ok) return {false, WriteError(written)};
    return {true, {}};
}

}  // namespace qelvar
