// The 命例库 through the real windows: a birth saved from the form, found by
// part of its name, two charts open side by side, a record edited in the
// form and its open chart cast again, and Esc with typed data asking first.
// The library and the settings live in a fresh folder ($QELVAR_LIBRARY,
// $XDG_CONFIG_HOME); with QELVAR_SHOTS=DIR the windows are also saved as
// pictures there.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/ModalPoll.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/TovrinDlg.h"
#include "ui/library/LibraryWindow.h"
#include "ui/library/RecordTableModel.h"

using namespace qelvar;
using std::chrono::year;

namespace {

QTemporaryDir& Home() {
    static QTemporaryDir dir;
    return dir;
}

library::Record Solar(const std::string& name, int y, int m, int d, int hour) {
    library::Record r;
    r.name = name;
    r.birth.year = y;
    r.birth.month = m;
    r.birth.day = d;
    r.birth.doubleHour = hour;
    return r;
}

// Chinese text as an input method commits it.
void TypeChinese(QWidget* w, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
}

void Shot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("QELVAR_SHOTS");
    if (dir.isEmpty()) return;
    QApplication::processEvents();
    w.grab().save(dir + "/" + name + ".png");
}

struct Form {
    BirthData birth;
    CTovrinDlg form{birth, year{2026} / 12 / 7};
    template <typename W>
    W* Control(int id) {
        W* w = form.findChild<W*>(QString::number(id));
        if (w == nullptr) qFatal("control %d missing", id);
        return w;
    }
    QLineEdit* Name() { return Control<QLineEdit>(1015); }
    QComboBox* Hours() { return Control<QComboBox>(1006); }
    QComboBox* Minutes() { return Control<QComboBox>(1009); }
    void Choose(int hour, int minute) {
        Hours()->setCurrentIndex(hour);
        emit Hours()->activated(hour);
        Minutes()->setCurrentIndex(minute);
        emit Minutes()->activated(minute);
    }
    void Click(int id) { QTest::mouseClick(Control<QPushButton>(id), Qt::LeftButton); }
};

QPushButton* Button(QWidget& w, const char* name) {
    auto* b = w.findChild<QPushButton*>(QString::fromUtf8(name));
    if (b == nullptr) qFatal("button %s missing", name);
    return b;
}

void SelectRows(LibraryWindow& w, std::initializer_list<int> rows) {
    QItemSelectionModel* s = w.Table()->selectionModel();
    s->clearSelection();
    for (int row : rows)
        s->select(w.Model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace

class LibraryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void saveFromTheForm();
    void findByPartOfTheName();
    void twoChartsSideBySide();
    void editedRecordRecastsItsChart();
    void escWithTypedDataAsks();
    void cleanupTestCase();

private:
    library::Library* Lib() { return AppLibrary(nullptr); }
};

void LibraryTest::initTestCase() {
    QVERIFY(Home().isValid());
    InstallSongFont();
    // Set before the library and the settings are first opened.
    qputenv("QELVAR_LIBRARY", QDir(Home().path()).filePath("library.sqlite").toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(Home().path()).filePath("config").toUtf8());
    QVERIFY(Lib() != nullptr);
}

void LibraryTest::cleanupTestCase() {
    if (LibraryWindow* w = LibraryWindow::Instance()) delete w;
}

void LibraryTest::saveFromTheForm() {
    Form f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    TypeChinese(f.Name(), QStringLiteral("陈小春"));
    f.Choose(6, 3);
    f.Click(1016);  // 存入命例库
    const std::vector<library::Record> found = Lib()->Find({"陈小春", "", {}, false});
    QCOMPARE(found.size(), std::size_t{1});
    const library::Record& r = found.front();
    QCOMPARE(r.birth.kind, library::BirthKind::Solar);
    QCOMPARE(r.birth.year, 2026);  // the form opened on "today"
    QCOMPARE(r.birth.month, 12);
    QCOMPARE(r.birth.day, 7);
    QCOMPARE(r.birth.doubleHour, 6);
    QCOMPARE(r.birth.minuteSlot, 3);
    QVERIFY(r.male);
    QVERIFY(!f.form.HasTypedData());  // saved: Esc closes at once
    // Saving the same birth again keeps one record.
    f.Click(1016);
    QCOMPARE(Lib()->Count({"陈小春", "", {}, false}), 1L);
    Shot(f.form, "form");
    f.form.hide();
}

void LibraryTest::findByPartOfTheName() {
    for (library::Record r : {Solar("王小明", 1980, 3, 4, 2), Solar("李四", 1975, 8, 9, 11),
                              Solar("王大明", 1990, 1, 2, 7)})
        QVERIFY(Lib()->Add(r).ok);
    LibraryWindow w(*Lib(), {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto typed = [&w](const QString& text) {
        w.SearchField()->setText(text);
        QTRY_COMPARE(w.Model().Query().text, text.toStdString());
    };
    typed(QStringLiteral("小"));
    QCOMPARE(w.Model().Total(), 2L);  // 王小明, 陈小春
    typed(QStringLiteral("小明"));
    QCOMPARE(w.Model().Total(), 1L);
    QCOMPARE(w.Model().data(w.Model().index(0, 0), Qt::DisplayRole).toString(),
             QStringLiteral("王小明"));
    typed(QStringLiteral("1975"));  // part of a date
    QCOMPARE(w.Model().Total(), 1L);
    QCOMPARE(w.Model().RecordAt(0)->name, std::string("李四"));
    typed(QString());
    QCOMPARE(w.Model().Total(), 4L);
    Shot(w, "library");
}

void LibraryTest::twoChartsSideBySide() {
    LibraryWindow w(*Lib(), {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    SelectRows(w, {0, 1});
    QTest::mouseClick(Button(w, "open"), Qt::LeftButton);
    const std::vector<CZiWeiDlg*> charts = w.OpenCharts();
    QCOMPARE(charts.size(), std::size_t{2});
    for (CZiWeiDlg* c : charts) {
        QVERIFY(QTest::qWaitForWindowExposed(c));
        QVERIFY(!c->isModal());
    }
    QVERIFY(charts[1]->frameGeometry().left() >= charts[0]->frameGeometry().right());
    QVERIFY(charts[0]->windowTitle().contains(
        w.Model().data(w.Model().index(0, 0), Qt::DisplayRole).toString()));
    Shot(*charts[0], "chart");
    if (const QString dir = qEnvironmentVariable("QELVAR_SHOTS"); !dir.isEmpty()) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(dir + "/side-by-side.png");
    }
    for (CZiWeiDlg* c : charts) c->close();
}

void LibraryTest::editedRecordRecastsItsChart() {
    Form f;
    f.form.show();
    f.form.OpenLibrary();
    LibraryWindow* w = LibraryWindow::Instance();
    QVERIFY(w != nullptr);
    w->SearchField()->setText(QStringLiteral("李四"));
    QTRY_COMPARE(w->Model().Total(), 1L);
    SelectRows(*w, {0});
    QTest::mouseClick(Button(*w, "open"), Qt::LeftButton);
    QCOMPARE(w->OpenCharts().size(), std::size_t{1});
    CZiWeiDlg* before = w->OpenCharts().front();
    QVERIFY(QTest::qWaitForWindowExposed(before));
    const QImage oldChart = before->ChartWindowImage();

    QTest::mouseClick(Button(*w, "edit"), Qt::LeftButton);  // the form filled
    QCOMPARE(f.Name()->text(), QStringLiteral("李四"));
    QCOMPARE(f.Hours()->currentIndex(), 11);
    f.Choose(2, 0);
    f.Click(1016);  // 存入命例库 changes the record
    const auto stored = Lib()->Find({"李四", "", {}, false});
    QCOMPARE(stored.size(), std::size_t{1});
    QCOMPARE(stored.front().birth.doubleHour, 2);
    QCOMPARE(stored.front().birth.year, 1975);
    QCOMPARE(w->OpenCharts().size(), std::size_t{1});
    CZiWeiDlg* after = w->OpenCharts().front();
    QVERIFY(QTest::qWaitForWindowExposed(after));
    QVERIFY(after->ChartWindowImage() != oldChart);
    after->close();
    w->close();
    f.form.hide();
}

void LibraryTest::escWithTypedDataAsks() {
    Form f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    TypeChinese(f.Name(), QStringLiteral("周"));
    QStringList buttons;
    auto answer = [&buttons](const QString& choice) {
        Poll([&buttons, choice] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || box->objectName() != QLatin1String("unsavedQuestion"))
                return false;
            buttons.clear();
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == choice) b->click();
            return true;
        });
    };
    answer(QStringLiteral("取消"));
    QTest::keyClick(&f.form, Qt::Key_Escape);
    QVERIFY(f.form.isVisible());  // 取消: the form stays
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"保存到命例库", "取消", "放弃"}));
    answer(QStringLiteral("放弃"));
    QTest::keyClick(&f.form, Qt::Key_Escape);
    QVERIFY(!f.form.isVisible());
    QCOMPARE(Lib()->Count({"周", "", {}, false}), 0L);  // nothing kept
}

QTEST_MAIN(LibraryTest)
#include "tst_library.moc"
