// WriteChartPng with the Qt layer: the chart window's drawing made offscreen,
// encoded in memory and written with the all-or-nothing file writer.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <span>

#include "app/AppLanguage.h"
#include "app/DialogFont.h"
#include "chart/ZiWeiDlg.h"
#include "cli/ChartPng.h"
#include "cli/Status.h"
#include "io/AtomicFile.h"

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
    new QApplication(argc, argv);
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
                         std::string_view title, double scale, Language language) {
    EnsureOffscreenApplication(command);
    SetAppLanguage(language);
    InstallSongFont();
    CZiWeiDlg chart(grid);
    const auto png = EncodePng(ChartImage(chart.Picture(), QString(), scale), title);
    if (!png) return {kIoFailed, "cannot encode the chart as PNG"};
    const auto bytes =
        std::as_bytes(std::span(png->constData(), static_cast<std::size_t>(png->size())));
    if (const AtomicWriteResult written = WriteFileAtomically(path, bytes); !written.ok)
        return {kIoFailed, "cannot write " + path + ": " + written.message};
    return {};
}

}  // namespace qelvar::cli
