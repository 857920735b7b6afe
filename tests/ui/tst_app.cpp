// The application object's event filter passes every event on: keys reach
// their own window whether or not a capture window is registered.
#include <QLineEdit>
#include <QTest>

#include "app/Tovrin.h"

using namespace qelvar;

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheirWindow_data();
    void keysReachTheirWindow();
    void captureHandleStartsEmpty();
};

void AppTest::keysReachTheirWindow_data() {
    QTest::addColumn<bool>("registerCapture");
    QTest::addColumn<bool>("typeIntoCapture");
    QTest::newRow("no capture window") << false << false;
    QTest::newRow("a child of the capture window") << true << true;
    QTest::newRow("a window outside the capture window") << true << false;
}

void AppTest::keysReachTheirWindow() {
    QFETCH(bool, registerCapture);
    QFETCH(bool, typeIntoCapture);
    CTovrinApp app;
    QWidget capture;
    auto* inside = new QLineEdit(&capture);
    QLineEdit outside;
    if (registerCapture) app.m_hwndCapture = &capture;
    QLineEdit* target = typeIntoCapture ? inside : &outside;
    target->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(target->window()));
    QTest::keyClicks(target, QStringLiteral("ab"));
    QTest::keyClick(target, Qt::Key_Left);
    QTest::keyClicks(target, QStringLiteral("c"));
    QCOMPARE(target->text(), QStringLiteral("acb"));  // the arrow key moved the caret
}

void AppTest::captureHandleStartsEmpty() {
    CTovrinApp app;
    QVERIFY(app.m_hwndCapture.isNull());
    QCOMPARE(CTovrinApp::Instance(), &app);
}

QTEST_MAIN(AppTest)
#include "tst_app.moc"
