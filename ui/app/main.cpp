// qelvar: the desktop program.  It starts the application object, which runs
// the birth-data form; the program ends when the form closes.
#include <QApplication>

#include "capture/ScreenVisual.h"
#include "ui/app/AppIcon.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/DialogFont.h"
#include "ui/app/Tovrin.h"

int main(int argc, char** argv) {
    // X first, then native Wayland: whether qt6-wayland happens to be
    // installed must not change which platform the program runs on.  The
    // user's own QT_QPA_PLATFORM wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    qelvar::PreferDrawableVisual(argc, argv);  // an 8-bit screen's own visual cannot be drawn
    QApplication app(argc, argv);
    // Simplified or traditional: the menu's last choice, else the locale
    // (zh_TW, zh_HK, zh_MO).  Qt's own dialogs and menus and the calendar
    // pop-up follow.
    qelvar::SetAppLanguage(qelvar::StartLanguage());
    if (qelvar::IsTraditional(qelvar::AppLanguage()))
        qelvar::InstallQtTranslations(qelvar::AppLanguage());
    else
        qelvar::InstallChineseTranslations();  // Qt's own dialogs and menus in Chinese
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tovrin.Qelvar"));
    QApplication::setWindowIcon(qelvar::AppIcon());
    qelvar::InstallSongFont();
    qelvar::CTovrinApp theApp;
    return theApp.InitInstance();
}
