#include "app/Tovrin.h"

#include <QApplication>
#include <QEvent>

#include "app/LocalDate.h"
#include "app/TovrinDlg.h"
#include "capture/CatchScreenDlg.h"

namespace qelvar {

CTovrinApp* CTovrinApp::s_instance = nullptr;

BirthData& TheBirthData() {
    static BirthData birth;
    return birth;
}

CTovrinApp::CTovrinApp() {
    s_instance = this;
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

CTovrinApp::~CTovrinApp() {
    if (s_instance == this) s_instance = nullptr;
}

int CTovrinApp::InitInstance() {
    CTovrinDlg form(TheBirthData(), LocalToday());
    form.exec();
    return 0;  // whatever the form's result, the program ends with it
}

bool CTovrinApp::IsCaptureTarget(const QObject* watched) const {
    for (const QObject* o = watched; o != nullptr; o = o->parent()) {
        if (o == m_hwndCapture.data()) return true;
    }
    return false;
}

bool CTovrinApp::eventFilter(QObject* watched, QEvent* event) {
    if (!m_hwndCapture.isNull() && event->type() == QEvent::KeyPress && IsCaptureTarget(watched)) {
        CCatchScreenDlg::OfferKeyPress(m_hwndCapture.data(), watched, event);
    }
    return QObject::eventFilter(watched, event);  // the key always goes on
}

}  // namespace qelvar
