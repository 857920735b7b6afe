#include "chart/ChartRender.h"

#include <QApplication>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>

#include "app/DialogFont.h"
#include "chart/ZiWeiDlg.h"

namespace qelvar {

namespace {

// An application object for a program that has none (the CLI): offscreen
// unless the caller chose a platform.
void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qelvar-cli";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: a QApplication torn down among the
    // static destructors can outlive parts of Qt it needs.
    new QApplication(argc, argv);
}

}  // namespace

bool RenderChartPng(const ChartGrid& grid, const std::string& path, std::string* error,
                    double scale) {
    EnsureApplication();
    InstallSongFont();
    CZiWeiDlg chart(grid);
    const QImage image = ChartImage(chart.Picture(), QString(), scale);
    QImageWriter writer(QString::fromStdString(path), "png");
    if (writer.write(image)) return true;
    if (error != nullptr) *error = writer.errorString().toStdString();
    return false;
}

}  // namespace qelvar
