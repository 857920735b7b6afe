// WriteChartPng with the chart picture: drawn offscreen with a GUI
// application object and no window, encoded in memory and written with the
// all-or-nothing file writer.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <span>

#include "chart/Cycle.h"
#include "cli/ChartPng.h"
#include "cli/Status.h"
#include "io/AtomicFile.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/ChartPicture.h"

namespace qelvar::cli {

namespace {

std::string g_command;  // named in the message when Qt cannot start
QtMessageHandler g_previousHandler = nullptr;

// A fatal Qt message (a platform that cannot start, say) ends the process
// with a message and kMalformed instead of Qt's abort().
void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (g_previousHandler != nullptr) g_previousHandler(type, context, message);
        return;
    }
    std::cerr << "qelvar-cli " << g_command << ": Qt cannot start: " << message.toStdString()
              << '\n';
    std::_Exit(kMalformed);
}

// The application object, always on the offscreen platform: the chart is
// drawn to an image, never shown.
void EnsureOffscreenApplication(std::string_view command) {
    g_command = command;
    if (QCoreApplication::instance() != nullptr) return;
    g_previousHandler = qInstallMessageHandler(OnQtMessage);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 3;
    static char name[] = "qelvar-cli";
    static char platformFlag[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformFlag, platform, nullptr};
    // Kept to the end of the process: a QApplication torn down among the
    // static destructors can outlive parts of Qt it needs.
    new QGuiApplication(argc, argv);
}

std::optional<QByteArray> EncodePng(const QImage& image, std::string_view title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!title.empty())
        writer.setText(QStringLiteral("Title"),
                       QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    if (!writer.write(image)) return std::nullopt;
    return bytes;
}

}  // namespace

PngOutcome WriteChartPng(std::string_view command, const ChartGrid& grid, const std::string& path,
                         std::string_view title, const ChartDrawing& drawing) {
    EnsureOffscreenApplication(command);
    SetAppLanguage(drawing.language);
    InstallSongFont();
    ChartPicture picture = ChartPicture::OfGrid(grid);
    if (drawing.chart != nullptr) picture.SetSmallLimitAges(*drawing.chart);
    picture.SetPalette(drawing.clearPalette ? ChartPalette::kClear : ChartPalette::kNatal);
    picture.SetAdjectiveStars(drawing.adjectives);
    picture.ShowPeriods(drawing.horoscope, drawing.layers);
    std::array<FlyingCell, 12> flying{};
    if (drawing.select && drawing.natal != nullptr) {
        flying = FlyingTransformations(*drawing.natal);
        picture.SetRelations(CellOfBranch(*drawing.select), &flying[*drawing.select]);
    }
    const QString file = QString::fromStdString(path);
    const ChartFileFormat format = FormatOfPath(file);
    std::optional<QByteArray> bytes;
    if (format == ChartFileFormat::Png) {
        bytes = EncodePng(ChartImage(picture, QString(), drawing.scale), title);
    } else {
        bytes = EncodeChart(picture, QString(), format, drawing.scale);
        if (bytes->isEmpty()) bytes.reset();
    }
    if (!bytes) return {kIoFailed, "cannot encode the chart"};
    const auto data =
        std::as_bytes(std::span(bytes->constData(), static_cast<std::size_t>(bytes->size())));
    if (const AtomicWriteResult written = WriteFileAtomically(path, data); !written.ok)
        return {kIoFailed, "cannot write " + path + ": " + written.message};
    return {};
}

}  // namespace qelvar::cli
