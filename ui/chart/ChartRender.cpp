#include "ui/chart/ChartRender.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include "ui/app/DialogFont.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/ChartPicture.h"

namespace qelvar {

namespace {

// A GUI application object for a program that has none: offscreen unless
// the caller chose a platform.  No window is ever made.
void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qelvar-cli";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: an application torn down among the
    // static destructors can outlive parts of Qt it needs.
    new QGuiApplication(argc, argv);
}

}  // namespace

bool RenderChartPng(const ChartGrid& grid, const std::string& path, std::string* error,
                    double scale) {
    EnsureApplication();
    InstallSongFont();
    const QImage image = ChartImage(ChartPicture::OfGrid(grid), QString(), scale);
    QImageWriter writer(QString::fromStdString(path), "png");
    if (writer.write(image)) return true;
    if (error != nullptr) *error = writer.errorString().toStdString();
    return false;
}

}  // namespace qelvar
