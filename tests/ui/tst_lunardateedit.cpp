// The lunar date picker: holds every day 1..30 of every month and edits
// like the Gregorian picker (arrow keys and wheel on the section under the
// cursor, typing a whole date).
#include <QAbstractButton>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "tests/ui/QtWarnings.h"
#include "ui/app/DialogFont.h"
#include "ui/form/LunarDateEdit.h"
#include "ui/form/LunarDayPopup.h"

using namespace qelvar;

class LunarDateEditTest : public QObject {
    Q_OBJECT
private slots:
    void init() { qelvar::FailOnQtWarnings(); }
    void initTestCase() { InstallSongFont(); }
    void holdsDaysNoGregorianMonthHas_data();
    void holdsDaysNoGregorianMonthHas();
    void arrowKeysStepTheSection_data();
    void arrowKeysStepTheSection();
    void wheelStepsTheSection();
    void typingAWholeDate();
    void typingOutOfRangeIsRefused_data();
    void typingOutOfRangeIsRefused();
    void settingTheSameValueIsNoChange();
    void dropDownChoosesADay();
    void dropDownStepsThroughLeapMonths_data();
    void dropDownStepsThroughLeapMonths();
    void dropDownChoosesALeapMonthDay();
};

namespace {

LunarDayPopup* OpenPopup(LunarDateEdit& edit) {
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 4, edit.height() / 2));
    return edit.findChild<LunarDayPopup*>(QStringLiteral("lunarDayPopup"));
}

// The day buttons the pop-up offers, by their names.
QStringList OfferedDays(const LunarDayPopup* popup) {
    QStringList names;
    for (const QAbstractButton* b : popup->findChildren<QAbstractButton*>()) {
        if (b->isCheckable() && b->isVisible()) names << b->text();
    }
    return names;
}

}  // namespace

void LunarDateEditTest::holdsDaysNoGregorianMonthHas_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("2-30") << 2023 << 2 << 30 << "2023/2/30";
    QTest::newRow("2-29 in a common year") << 2001 << 2 << 29 << "2001/2/29";
    QTest::newRow("4-30") << 2020 << 4 << 30 << "2020/4/30";
    QTest::newRow("day 31 is no lunar day") << 2020 << 1 << 31 << "2020/1/30";
}

void LunarDateEditTest::holdsDaysNoGregorianMonthHas() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, text);
    LunarDateEdit edit;
    edit.setValue({year, month, day});
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.value().day, std::min(day, 30));
}

void LunarDateEditTest::arrowKeysStepTheSection_data() {
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("after");
    QTest::newRow("day up to 30") << 2 << int(Qt::Key_Up) << 2023 << 2 << 29 << "2023/2/30";
    QTest::newRow("day stops at 30") << 2 << int(Qt::Key_Up) << 2023 << 2 << 30 << "2023/2/30";
    QTest::newRow("day down stops at 1") << 2 << int(Qt::Key_Down) << 2023 << 2 << 1 << "2023/2/1";
    QTest::newRow("month up") << 1 << int(Qt::Key_Up) << 2023 << 2 << 30 << "2023/3/30";
    QTest::newRow("month stops at 12") << 1 << int(Qt::Key_Up) << 2023 << 12 << 1 << "2023/12/1";
    QTest::newRow("year down") << 0 << int(Qt::Key_Down) << 2023 << 2 << 30 << "2022/2/30";
}

void LunarDateEditTest::arrowKeysStepTheSection() {
    QFETCH(int, section);
    QFETCH(int, key);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, after);
    LunarDateEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setValue({year, month, day});
    edit.setCurrentSection(LunarDateEdit::Section(section));
    QTest::keyClick(&edit, Qt::Key(key));
    QCOMPARE(edit.text(), after);
    QCOMPARE(int(edit.currentSection()), section);  // the section stays selected
}

void LunarDateEditTest::wheelStepsTheSection() {
    LunarDateEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setValue({2023, 2, 28});
    edit.setCurrentSection(LunarDateEdit::kDay);
    QSignalSpy changed(&edit, &LunarDateEdit::valueChanged);
    const QPointF at(edit.width() / 2.0, edit.height() / 2.0);
    QWheelEvent wheel(at, edit.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&edit, &wheel);
    QCOMPARE(edit.value(), (LunarPickerValue{2023, 2, 29}));
    QCOMPARE(changed.count(), 1);
}

void LunarDateEditTest::typingAWholeDate() {
    LunarDateEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QSignalSpy changed(&edit, &LunarDateEdit::valueChanged);
    edit.findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(&edit, QStringLiteral("2023/2/30"));
    QCOMPARE(edit.value(), (LunarPickerValue{2023, 2, 30}));
    QVERIFY(changed.count() >= 1);
}

void LunarDateEditTest::typingOutOfRangeIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("month 13") << "2023/13/1";
    QTest::newRow("day 31") << "2023/1/31";
    QTest::newRow("letters") << "2023/x/1";
}

void LunarDateEditTest::typingOutOfRangeIsRefused() {
    QFETCH(QString, typed);
    LunarDateEdit edit;
    edit.setValue({2000, 1, 1});
    int pos = 0;
    QCOMPARE(edit.validate(typed, pos), QValidator::Invalid);
    QCOMPARE(edit.value(), (LunarPickerValue{2000, 1, 1}));
}

void LunarDateEditTest::settingTheSameValueIsNoChange() {
    LunarDateEdit edit;
    edit.setValue({2000, 1, 1});
    QSignalSpy changed(&edit, &LunarDateEdit::valueChanged);
    edit.setValue({2000, 1, 1});
    QCOMPARE(changed.count(), 0);
}

// The arrow drops down the month's days; the next-month button and a day
// button set the whole date.
void LunarDateEditTest::dropDownChoosesADay() {
    LunarDateEdit edit;
    edit.resize(120, 24);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setValue({2023, 1, 15});
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 4, edit.height() / 2));
    auto* popup = edit.findChild<LunarDayPopup*>(QStringLiteral("lunarDayPopup"));
    QVERIFY(popup != nullptr && popup->isVisible());
    QCOMPARE(popup->shownMonth().month, 1);
    QTest::mouseClick(popup->findChild<QAbstractButton*>(QStringLiteral("nextMonth")),
                      Qt::LeftButton);
    QAbstractButton* day30 = nullptr;
    for (QAbstractButton* b : popup->findChildren<QAbstractButton*>()) {
        if (b->text() == QStringLiteral("三十")) day30 = b;
    }
    QVERIFY(day30 != nullptr);
    QTest::mouseClick(day30, Qt::LeftButton);
    QCOMPARE(edit.value(), (LunarPickerValue{2023, 2, 30}));
    QTRY_VERIFY(edit.findChild<LunarDayPopup*>() == nullptr);  // closed and deleted
}

void LunarDateEditTest::dropDownStepsThroughLeapMonths_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("leap");
    QTest::addColumn<QStringList>("titles");  // opening month, then one per step
    QTest::addColumn<QList<int>>("days");
    QTest::newRow("2020 leap 四月")
        << 2020 << 4 << false << QStringList{"2020年四月", "2020年闰四月", "2020年五月"}
        << QList<int>{30, 29, 30};
    QTest::newRow("2033 leap 十一月 to the next year")
        << 2033 << 11 << false
        << QStringList{"2033年十一月", "2033年闰十一月", "2033年腊月", "2034年正月"}
        << QList<int>{30, 29, 30, 29};
    QTest::newRow("opens on the leap month")
        << 2023 << 2 << true << QStringList{"2023年闰二月", "2023年三月"} << QList<int>{29, 29};
}

// Next steps through every month of the year, the leap month included, and
// back again; each month offers only its own days, named 初一 ...
void LunarDateEditTest::dropDownStepsThroughLeapMonths() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(bool, leap);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, days);
    LunarDateEdit edit;
    edit.resize(120, 24);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.move(edit.screen()->availableGeometry().topLeft());
    edit.setValue({year, month, 1});
    edit.setLeap(leap);
    LunarDayPopup* popup = OpenPopup(edit);
    QVERIFY(popup != nullptr);
    const QRect screen = edit.screen()->availableGeometry();
    QVERIFY(screen.contains(popup->geometry()));  // the edit lies at the screen's left edge
    auto* next = popup->findChild<QAbstractButton*>(QStringLiteral("nextMonth"));
    auto* previous = popup->findChild<QAbstractButton*>(QStringLiteral("previousMonth"));
    for (qsizetype i = 0; i < titles.size(); ++i) {
        if (i > 0) QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(popup->title(), titles[i]);
        const QStringList offered = OfferedDays(popup);
        QCOMPARE(offered.size(), days[i]);
        QCOMPARE(offered.first(), QStringLiteral("初一"));
        QCOMPARE(offered.last(), days[i] == 30 ? QStringLiteral("三十") : QStringLiteral("廿九"));
    }
    for (qsizetype i = titles.size() - 1; i > 0; --i) QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(popup->title(), titles.first());
    popup->close();
}

// A day of a leap month sets the numbers and the leap flag; the same numbers
// in the leap month are a change.
void LunarDateEditTest::dropDownChoosesALeapMonthDay() {
    LunarDateEdit edit;
    edit.resize(120, 24);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setValue({2020, 4, 5});
    QSignalSpy changed(&edit, &LunarDateEdit::valueChanged);
    LunarDayPopup* popup = OpenPopup(edit);
    QVERIFY(popup != nullptr);
    QTest::mouseClick(popup->findChild<QAbstractButton*>(QStringLiteral("nextMonth")),
                      Qt::LeftButton);
    QVERIFY(popup->shownLeap());
    for (QAbstractButton* b : popup->findChildren<QAbstractButton*>()) {
        if (b->text() == QStringLiteral("初五")) QTest::mouseClick(b, Qt::LeftButton);
    }
    QCOMPARE(edit.value(), (LunarPickerValue{2020, 4, 5}));
    QVERIFY(edit.leap());
    QCOMPARE(changed.count(), 1);
}

QTEST_MAIN(LunarDateEditTest)
#include "tst_lunardateedit.moc"
