// The application object's event filter passes every event on: keys reach
// their own window whether or not a capture window is registered.  Qt's
// own file dialog speaks Chinese and shows its columns whole.
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "tests/ui/QtWarnings.h"
#include "ui/app/DialogFont.h"
#include "ui/app/Tovrin.h"

using namespace qelvar;

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        InstallChineseTranslations();
        InstallSongFont();
    }
    void init() { qelvar::FailOnQtWarnings(); }
    void keysReachTheirWindow_data();
    void keysReachTheirWindow();
    void captureHandleStartsEmpty();
    void fileDialogInChineseWithWholeColumns();
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

void AppTest::fileDialogInChineseWithWholeColumns() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("命盘")));
    QFile file(dir.filePath(QStringLiteral("截图.bmp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(10'000, 'B'));
    file.close();
    QFileDialog dialog(nullptr, QStringLiteral("另存为"), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(tree != nullptr);
    const QAbstractItemModel* model = tree->model();
    QTRY_COMPARE(model->rowCount(tree->rootIndex()), 2);
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    const QFontMetrics metrics = tree->fontMetrics();
    QHeaderView* header = tree->header();
    for (int column = 0; column < 4; ++column) {
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        QVERIFY2(!title.contains(latin), qPrintable(title));
        for (int row = 0; row < 2; ++row) {
            const QString text = model->index(row, column, tree->rootIndex()).data().toString();
            const QString name = model->index(row, 0, tree->rootIndex()).data().toString();
            if (column == 2 && name == QStringLiteral("命盘"))
                QCOMPARE(text, QStringLiteral("文件夹"));
            if (column == 3) QVERIFY2(!text.contains(latin), qPrintable(text));  // no "Dec"
            if (column == 0) continue;  // the name column stretches
            QVERIFY2(metrics.horizontalAdvance(text) + 8 <= header->sectionSize(column),
                     qPrintable(
                         QStringLiteral("%1 in %2 px").arg(text).arg(header->sectionSize(column))));
        }
    }
    dialog.close();
}

QTEST_MAIN(AppTest)
#include "tst_app.moc"
