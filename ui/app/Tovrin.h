#pragma once
// CTovrinApp: the application object.  It runs the birth-data form as the
// main window and filters the events of the application's modal loops, so
// that key presses meant for the capture window can be handed to it.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "birth/BirthData.h"

namespace qelvar {

class CTovrinApp : public QObject {
    Q_OBJECT
public:
    // Installs the event filter on the running QApplication.
    CTovrinApp();
    ~CTovrinApp() override;

    // Runs the form modally; returns the program's exit status when it
    // closes.
    int InitInstance();

    // The open capture window, set by that window when it initialises.
    QPointer<QWidget> m_hwndCapture;

    static CTovrinApp* Instance() { return s_instance; }

protected:
    // Passes every event on; never swallows a key.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether `watched` is the capture window or one of its children.
    bool IsCaptureTarget(const QObject* watched) const;

    static CTovrinApp* s_instance;
};

// The birth data the form hands to the chart window; lives for the whole run.
BirthData& TheBirthData();

// Qt's own dialogs, menus and buttons in Chinese: Qt's zh_CN catalogue of
// every module the program uses, the few texts it lacks, and file dialogs
// whose columns show their dates, sizes and types whole.  Once, after the
// QApplication exists.
void InstallChineseTranslations();

}  // namespace qelvar
