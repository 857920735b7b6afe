// The birth-data form through its real widgets: date changes in both
// pickers, the 闰月 box, the lists, the cast button and the About box.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QtMath>
#include <functional>
#include <memory>

#include "tests/ui/ModalPoll.h"
#include "tests/ui/QtWarnings.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/GregorianDateEdit.h"
#include "ui/form/ItemWrapLabel.h"
#include "ui/form/LocalDate.h"
#include "ui/form/LunarDateEdit.h"
#include "ui/form/LunarDayPopup.h"
#include "ui/form/TovrinDlg.h"

using namespace qelvar;
using std::chrono::year;

namespace {

// A form with a hook that counts the chart windows the cast button opens.
struct FormUnderTest {
    BirthData birth;
    CTovrinDlg form;
    int chartsOpened = 0;

    explicit FormUnderTest(std::chrono::year_month_day today = year{2026} / 12 / 7)
        : form(birth, today) {
        form.SetChartOpener([this](const BirthData&) { ++chartsOpened; });
    }

    template <typename W>
    W* Control(int id) {
        W* w = form.findChild<W*>(QString::number(id));
        if (w == nullptr) qFatal("control %d missing", id);
        return w;
    }
    QDateEdit* Solar() { return Control<QDateEdit>(1001); }
    LunarDateEdit* Lunar() { return Control<LunarDateEdit>(1002); }
    QString LunarText() { return Control<QLabel>(1003)->text(); }
    QCheckBox* Leap() { return Control<QCheckBox>(1004); }
    QComboBox* Hours() { return Control<QComboBox>(1006); }
    QComboBox* Minutes() { return Control<QComboBox>(1009); }
    QLineEdit* Time() { return Control<QLineEdit>(1010); }
    QLineEdit* Place() { return Control<QLineEdit>(1011); }
    QCheckBox* SolarTime() { return Control<QCheckBox>(1013); }
    QString MomentText() { return Control<QLabel>(1014)->text(); }
    void Cast() { QTest::mouseClick(Control<QPushButton>(1), Qt::LeftButton); }
    void ChooseBoth(int hour = 6, int minute = 0) {
        Hours()->setCurrentIndex(hour);
        Minutes()->setCurrentIndex(minute);
    }
};

QString U(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT
private slots:
    void init() { qelvar::FailOnQtWarnings(); }
    void initTestCase() {
        InstallSongFont();
        // The settings the casts remember go to a folder of the test's own.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void templateTexts();
    void listsInOrder();
    void listEntriesShowInFull();
    void tabFollowsTheEye();
    void startShowsTodaysLunarText();
    void gregorianChangeFillsLunarPicker();
    void leapMonthTicksBox();
    void lunarChangeWithLeapSetsGregorian();
    void leapOnMonthWithoutLeapFails();
    void lunarThirtiethOfSecondMonthIsHeld();
    void leapMonthDayFromTheDropDown();
    void typingIntoGregorianPicker();
    void gregorianBorderClickChangesNothing_data();
    void gregorianBorderClickChangesNothing();
    void gregorianDateTypedAsWritten_data();
    void gregorianDateTypedAsWritten();
    void outOfRangeRefusesCast_data();
    void outOfRangeRefusesCast();
    void emptyListsOpenNothing_data();
    void emptyListsOpenNothing();
    void errorDateOpensNoList();
    void hourAndSexStored_data();
    void hourAndSexStored();
    void enterCastsAndFormStays();
    void typedTimeSelectsTheLists_data();
    void typedTimeSelectsTheLists();
    void trueSolarTimeMovesThePickers();
    void listChosenByHandClearsTheTime();
    void placeCompletionShowsChineseLabels();
    void skippedHourClearsTheLists();
    void castOpensTheChartWindowModally();
    void aboutFromF1();
    void aboutFromContextMenu();
    void datesTypedAsPeopleWriteThem_data();
    void datesTypedAsPeopleWriteThem();
    void refusedDatesSayWhy_data();
    void refusedDatesSayWhy();
    void momentLineWrapsBetweenItems_data();
    void momentLineWrapsBetweenItems();
    void placeholdersAreGrey();

private:
    QTemporaryDir m_config;
};

void FormTest::templateTexts() {
    FormUnderTest t;
    QCOMPARE(t.form.windowTitle(), QStringLiteral("Qelvar排盘"));
    QCOMPARE(t.Leap()->text(), QStringLiteral("闰月"));
    QCOMPARE(t.Control<QRadioButton>(1007)->text(), QStringLiteral("男"));
    QCOMPARE(t.Control<QRadioButton>(1008)->text(), QStringLiteral("女"));
    QCOMPARE(t.Control<QPushButton>(1)->text(), QStringLiteral("斗数排盘"));
    QVERIFY(t.Control<QRadioButton>(1007)->isChecked());
    // Dialog units of the 6 x 12 pixel Song face: 198 x 192 units are
    // 297 x 288 pixels; picker 1001 at (32, 9, 61, 15) has the edges 48,
    // 13.5 -> 14, 139.5 -> 140, 36; the button at (137, 62, 50, 17) 205.5 ->
    // 206, 93, 280.5 -> 281, 118.5 -> 119; list 1006 at x 119, width 68:
    // 178.5 -> 179 .. 280.5 -> 281, the button's right edge.
    QCOMPARE(t.form.size(), QSize(297, 288));
    QCOMPARE(t.Solar()->geometry(), QRect(48, 14, 92, 22));
    QCOMPARE(t.Control<QPushButton>(1)->geometry(), QRect(206, 93, 75, 26));
    QCOMPARE(t.Hours()->x(), 179);
    QCOMPARE(t.Hours()->width(), 102);
    QCOMPARE(t.Control<QCheckBox>(1013)->text(), QStringLiteral("真太阳时"));
    QVERIFY(t.Control<QCheckBox>(1013)->isChecked());
    QStringList labels;
    for (const QLabel* l : t.form.findChildren<QLabel*>(QStringLiteral("static")))
        labels << l->text();
    QCOMPARE(labels,
             (QStringList{"公历", "农历", "出生时间", "出生地", "时辰", "分段", "性别", "姓名"}));
}

void FormTest::listsInOrder() {
    FormUnderTest t;
    QCOMPARE(t.Hours()->count(), 13);
    QCOMPARE(t.Minutes()->count(), 12);
    QCOMPARE(t.Hours()->itemText(0), QStringLiteral("子 (0-1)"));
    QCOMPARE(t.Hours()->itemText(11), QStringLiteral("亥 (21-23)"));
    QCOMPARE(t.Hours()->itemText(12), QStringLiteral("夜子(23-24)"));
    QCOMPARE(t.Minutes()->itemText(0), QStringLiteral("子 (0-10)"));
    QCOMPARE(t.Minutes()->itemText(11), QStringLiteral("亥 (110-120)"));
    QCOMPARE(t.Hours()->currentIndex(), -1);  // no selection at start
    QCOMPARE(t.Minutes()->currentIndex(), -1);
}

// Every entry fits the text field of its closed list and the rows of the
// open list, so no hour or sub-period is cut off.
void FormTest::listEntriesShowInFull() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    for (QComboBox* list : {t.Hours(), t.Minutes()}) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.frame = true;
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        QVERIFY(list->geometry().right() < t.form.width());
        list->showPopup();
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        for (int i = 0; i < list->count(); ++i) {
            const QString text = list->itemText(i);
            const int width = list->fontMetrics().horizontalAdvance(text);
            QVERIFY2(
                width + 2 <= field.width(),  // the label keeps 1 px each side

                qPrintable(QStringLiteral("%1: %2 > %3").arg(text).arg(width).arg(field.width())));
            const QRect row = view->visualRect(list->model()->index(i, 0));
            QVERIFY2(width <= row.width(), qPrintable(text));
        }
        list->hidePopup();
    }
}

// Tab goes down the dates to 闰月, through the birth time and place, then
// the lists, the sex and the cast button.
void FormTest::tabFollowsTheEye() {
    FormUnderTest t;
    QStringList order;
    QWidget* w = t.Solar();
    do {
        bool numbered = false;
        w->objectName().toInt(&numbered);
        if (numbered && (w->focusPolicy() & Qt::TabFocus) && !order.contains(w->objectName()))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != t.Solar());
    QCOMPARE(order, (QStringList{"1001", "1002", "1004", "1010", "1013", "1011", "1006", "1009",
                                 "1007", "1008", "1", "1015", "1018", "1016", "1017", "1019"}));
}

void FormTest::startShowsTodaysLunarText() {
    FormUnderTest known(year{2000} / 2 / 5);
    QCOMPARE(known.LunarText(), QStringLiteral("龙(庚辰)年正月初一"));
    QCOMPARE(known.Solar()->date(), QDate(2000, 2, 5));

    const std::chrono::year_month_day today = LocalToday();
    FormUnderTest now(today);
    LunarCalendar calendar;
    const SolarDate solar{static_cast<std::uint16_t>(static_cast<int>(today.year())),
                          static_cast<std::uint16_t>(static_cast<unsigned>(today.month())),
                          static_cast<std::uint16_t>(static_cast<unsigned>(today.day()))};
    const std::optional<LunarDate> lunar = calendar.SolarToLunar(solar);
    QVERIFY(lunar.has_value());
    QCOMPARE(now.LunarText(), U(LunarCalendar::FormatLunarDate(*lunar)));
    QVERIFY(now.LunarText() != QStringLiteral("Lunar"));
    QCOMPARE(U(now.birth.g_strSolarYear), QString::number(static_cast<int>(today.year())));
}

void FormTest::gregorianChangeFillsLunarPicker() {
    FormUnderTest t;
    t.Leap()->setChecked(true);  // must be cleared by the change
    t.Solar()->setDate(QDate(2000, 2, 5));
    QCOMPARE(t.LunarText(), QStringLiteral("龙(庚辰)年正月初一"));
    QCOMPARE(t.Lunar()->value(), (LunarPickerValue{2000, 1, 1}));
    QCOMPARE(t.Lunar()->text(), QStringLiteral("2000/1/1"));
    QVERIFY(!t.Leap()->isChecked());
    QCOMPARE(U(t.birth.g_strSolarText), QStringLiteral("2000年2月5日 "));
    QCOMPARE(t.birth.g_nSolarMonth, 13);
    QCOMPARE(
        U(t.birth.g_strSolarYear + "-" + t.birth.g_strSolarMonth + "-" + t.birth.g_strSolarDay),
        QStringLiteral("2000-2-5"));
}

void FormTest::leapMonthTicksBox() {
    FormUnderTest t;
    t.Solar()->setDate(QDate(2020, 5, 23));
    QVERIFY(t.Leap()->isChecked());
    QCOMPARE(t.LunarText(), QStringLiteral("鼠(庚子)年闰四月初一"));
    t.ChooseBoth();
    t.Cast();
    QCOMPARE(t.chartsOpened, 1);
    QCOMPARE(U(t.birth.g_strLunarMonth), QStringLiteral("4"));
    QVERIFY(U(t.birth.g_strLunarText).contains(QStringLiteral("闰")));
}

void FormTest::lunarChangeWithLeapSetsGregorian() {
    FormUnderTest t;
    t.Leap()->setChecked(true);
    t.Lunar()->setValue({2020, 4, 1});
    QCOMPARE(t.Solar()->date(), QDate(2020, 5, 23));
    QCOMPARE(t.LunarText(), QStringLiteral("鼠(庚子)年闰四月初一"));
}

void FormTest::leapOnMonthWithoutLeapFails() {
    FormUnderTest t;
    t.Lunar()->setValue({2020, 5, 1});
    const QDate before = t.Solar()->date();
    QTest::mouseClick(t.Leap(), Qt::LeftButton, {}, QPoint(4, t.Leap()->height() / 2));
    QVERIFY(t.Leap()->isChecked());  // the box keeps what the user set
    QCOMPARE(t.LunarText(), QStringLiteral("Error Date"));
    QCOMPARE(t.Solar()->date(), before);
}

void FormTest::lunarThirtiethOfSecondMonthIsHeld() {
    // 2023 has a leap second month; the ordinary second month runs from
    // 2023-02-20 to 2023-03-21, thirty days.
    FormUnderTest t;
    t.Solar()->setDate(QDate(2023, 3, 21));
    QCOMPARE(t.LunarText(), QStringLiteral("兔(癸卯)年二月三十"));
    QCOMPARE(t.Lunar()->value(), (LunarPickerValue{2023, 2, 30}));
    QVERIFY(!t.Leap()->isChecked());
    t.Solar()->setDate(QDate(2000, 1, 1));
    t.Lunar()->setValue({2023, 2, 30});  // and typed back, it converts
    QCOMPARE(t.Solar()->date(), QDate(2023, 3, 21));
}

// 闰四月初五 2020 chosen in the lunar drop-down ticks 闰月 and gives 2020-05-27
// (闰四月初一 is 5-23); stepping back to 四月 unticks it.
void FormTest::leapMonthDayFromTheDropDown() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    LunarDateEdit* lunar = t.Lunar();
    lunar->setValue({2020, 4, 5});
    QVERIFY(!t.Leap()->isChecked());
    const auto choose = [&](int steps, const QString& day) {
        QTest::mouseClick(lunar, Qt::LeftButton, {},
                          QPoint(lunar->width() - 4, lunar->height() / 2));
        auto* popup = lunar->findChild<LunarDayPopup*>(QStringLiteral("lunarDayPopup"));
        QVERIFY(popup != nullptr);
        const char* button = steps > 0 ? "nextMonth" : "previousMonth";
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::mouseClick(popup->findChild<QAbstractButton*>(button), Qt::LeftButton);
        for (QAbstractButton* b : popup->findChildren<QAbstractButton*>()) {
            if (b->text() == day) QTest::mouseClick(b, Qt::LeftButton);
        }
    };
    choose(1, QStringLiteral("初五"));
    QVERIFY(t.Leap()->isChecked());
    QCOMPARE(t.Solar()->date(), QDate(2020, 5, 27));
    QCOMPARE(t.LunarText(), QStringLiteral("鼠(庚子)年闰四月初五"));
    choose(-1, QStringLiteral("初五"));
    QVERIFY(!t.Leap()->isChecked());
    QCOMPARE(t.Solar()->date(), QDate(2020, 4, 27));
}

void FormTest::typingIntoGregorianPicker() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    QDateEdit* solar = t.Solar();
    solar->setFocus();
    solar->setDate(QDate(2000, 2, 4));
    solar->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(solar, Qt::Key_Up);  // 2000-02-05
    QCOMPARE(t.LunarText(), QStringLiteral("龙(庚辰)年正月初一"));
}

void FormTest::gregorianBorderClickChangesNothing_data() {
    QTest::addColumn<QPoint>("fromCorner");  // negative: from the right or bottom edge
    QTest::newRow("top border") << QPoint(20, 0);
    QTest::newRow("bottom border") << QPoint(20, -1);
    QTest::newRow("left border") << QPoint(0, 10);
    QTest::newRow("bottom right of the text") << QPoint(-24, -2);
}

// Only an edited section, an arrow key or the wheel changes the date; a
// click anywhere but on the drop-down arrow leaves it alone.
void FormTest::gregorianBorderClickChangesNothing() {
    QFETCH(QPoint, fromCorner);
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    QDateEdit* solar = t.Solar();
    solar->setDate(QDate(2000, 2, 5));
    const QPoint at(fromCorner.x() >= 0 ? fromCorner.x() : solar->width() + fromCorner.x(),
                    fromCorner.y() >= 0 ? fromCorner.y() : solar->height() + fromCorner.y());
    QTest::mousePress(solar, Qt::LeftButton, {}, at);
    QTest::qWait(50);  // a held button would repeat the step by now
    QTest::mouseRelease(solar, Qt::LeftButton, {}, at);
    QCOMPARE(solar->date(), QDate(2000, 2, 5));
    QCOMPARE(t.LunarText(), QStringLiteral("龙(庚辰)年正月初一"));
    const QPointF middle(20, solar->height() / 2);  // the wheel still steps
    QWheelEvent wheel(middle, solar->mapToGlobal(middle), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(solar, &wheel);
    QVERIFY(solar->date() != QDate(2000, 2, 5));
    QTest::mouseClick(solar, Qt::LeftButton, {}, QPoint(solar->width() - 6, solar->height() / 2));
    QTRY_VERIFY(solar->calendarWidget()->isVisible());  // the arrow drops the calendar down
    solar->calendarWidget()->window()->close();
}

void FormTest::gregorianDateTypedAsWritten_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    QTest::newRow("one-digit month and day") << "2000/2/5" << QDate(2000, 2, 5);
    QTest::newRow("two-digit month and day") << "2000/12/25" << QDate(2000, 12, 25);
    QTest::newRow("month 1, then the separator") << "1999/1/5" << QDate(1999, 1, 5);
    QTest::newRow("day waits for its second digit") << "2020/5/23" << QDate(2020, 5, 23);
}

// Typed over the selected year the way dates are written, separators and
// all: a separator after a section the picker left by itself is no second
// step.
void FormTest::gregorianDateTypedAsWritten() {
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    QDateEdit* solar = t.Solar();
    t.form.activateWindow();
    solar->setFocus();
    solar->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(solar, typed);
    QCOMPARE(solar->date(), date);
}

void FormTest::outOfRangeRefusesCast_data() {
    QTest::addColumn<QDate>("date");
    QTest::newRow("day before the range") << QDate(1901, 2, 18);
    QTest::newRow("lunar new year 2051") << QDate(2051, 2, 11);
}

void FormTest::outOfRangeRefusesCast() {
    QFETCH(QDate, date);
    FormUnderTest t;
    t.Solar()->setDate(QDate(2000, 2, 5));
    t.Solar()->setDate(date);
    QCOMPARE(t.LunarText(), QStringLiteral("Error Date"));
    QCOMPARE(t.Lunar()->value(), (LunarPickerValue{2000, 1, 1}));  // the other picker stays
    QCOMPARE(U(t.birth.g_strLunarText), QStringLiteral("龙(庚辰)年正月初一"));
    t.ChooseBoth();
    t.Cast();
    QCOMPARE(t.chartsOpened, 0);
}

void FormTest::emptyListsOpenNothing_data() {
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::newRow("neither") << -1 << -1;
    QTest::newRow("no sub-period") << 6 << -1;
    QTest::newRow("no hour") << -1 << 3;
}

// The cast button stores what it has, opens no chart and drops down the
// first list still empty.
void FormTest::emptyListsOpenNothing() {
    QFETCH(int, hour);
    QFETCH(int, minute);
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    t.ChooseBoth(hour, minute);
    t.Cast();
    QCOMPARE(t.chartsOpened, 0);
    QCOMPARE(t.birth.g_nHour, hour);  // stored even though nothing opens
    QComboBox* empty = hour < 0 ? t.Hours() : t.Minutes();
    QComboBox* other = hour < 0 ? t.Minutes() : t.Hours();
    QTRY_VERIFY(empty->view()->isVisible());
    QVERIFY(!other->view()->isVisible());
    empty->hidePopup();
}

// A date the calendar cannot convert opens no list: the date is what is wrong.
void FormTest::errorDateOpensNoList() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    t.Solar()->setDate(QDate(1901, 2, 18));
    t.Cast();
    QTest::qWait(0);
    QVERIFY(!t.Hours()->view()->isVisible());
    QCOMPARE(t.chartsOpened, 0);
}

void FormTest::hourAndSexStored_data() {
    QTest::addColumn<int>("hourIndex");
    QTest::addColumn<bool>("female");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("sex");
    QTest::newRow("夜子 folds to 子") << 12 << false << 0 << 0;
    QTest::newRow("亥") << 11 << false << 11 << 0;
    QTest::newRow("女") << 6 << true << 6 << 1;
}

void FormTest::hourAndSexStored() {
    QFETCH(int, hourIndex);
    QFETCH(bool, female);
    QFETCH(int, hour);
    QFETCH(int, sex);
    FormUnderTest t;
    t.ChooseBoth(hourIndex, 5);
    if (female) t.Control<QRadioButton>(1008)->click();
    t.Cast();
    QCOMPARE(t.chartsOpened, 1);
    QCOMPARE(t.birth.g_nHour, hour);
    QCOMPARE(t.birth.g_nMinuteSlot, 5);
    QCOMPARE(t.birth.g_nSex, sex);
}

void FormTest::enterCastsAndFormStays() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    t.ChooseBoth();
    QTest::keyClick(&t.form, Qt::Key_Return);
    QTest::keyClick(&t.form, Qt::Key_Return);
    QCOMPARE(t.chartsOpened, 2);
    QVERIFY(t.form.isVisible());
    QTest::keyClick(&t.form, Qt::Key_Escape);
    QVERIFY(!t.form.isVisible());  // Esc ends the form
}

// The real opener: a modal chart window of the stored birth, closed by Enter.
void FormTest::castOpensTheChartWindowModally() {
    BirthData birth;
    CTovrinDlg form(birth, year{2026} / 12 / 7);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.findChild<QDateEdit*>(QStringLiteral("1001"))->setDate(QDate(2000, 2, 5));
    form.findChild<QComboBox*>(QStringLiteral("1006"))->setCurrentIndex(6);
    form.findChild<QComboBox*>(QStringLiteral("1009"))->setCurrentIndex(0);
    QString caption, lunarLine;
    bool libraryButtons = false;
    Poll([&] {
        auto* chart = qobject_cast<CZiWeiDlg*>(QApplication::activeModalWidget());
        if (chart == nullptr) return false;
        caption = chart->windowTitle();
        lunarLine = chart->SlotText(2182);
        // 命例库 and 存入命例库 on its tool bar, the latter saving the form's birth.
        const auto* save = chart->findChild<QAction*>(QStringLiteral("saveToLibrary"));
        libraryButtons =
            save && save->isEnabled() && chart->findChild<QAction*>(QStringLiteral("openLibrary"));
        QTest::keyClick(chart, Qt::Key_Return);
        return true;
    });
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("斗数排盘"));
    QCOMPARE(lunarLine, QStringLiteral("农历：龙(庚辰)年正月初一"));
    QVERIFY(libraryButtons);
    QVERIFY(QApplication::activeModalWidget() == nullptr ||
            QApplication::activeModalWidget() == &form);
    QVERIFY(form.isVisible());
}

namespace {

// Checks the texts of the About box that is open and closes it with OK.
bool CheckAndCloseAbout(bool* seen) {
    auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
    if (about == nullptr) return false;
    QStringList texts;
    for (const QLabel* l : about->findChildren<QLabel*>()) {
        if (!l->text().isEmpty()) texts << l->text();
    }
    *seen = about->windowTitle() == QStringLiteral("Qelvar单机版") &&
            texts.contains(QStringLiteral("Qelvar排盘1.0 版")) && texts.size() == 2 &&
            about->findChild<QPushButton*>(QStringLiteral("1"))->text() == QStringLiteral("确定");
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
    return true;
}

}  // namespace

void FormTest::aboutFromF1() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    bool seen = false;
    Poll([&] { return CheckAndCloseAbout(&seen); });
    QTest::keyClick(&t.form, Qt::Key_F1);
    QVERIFY(seen);
}

void FormTest::aboutFromContextMenu() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    bool seen = false;
    QString entry;
    Poll([&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return false;
        entry = menu->actions().value(0)->text();
        Poll([&] { return CheckAndCloseAbout(&seen); });
        menu->setActiveAction(menu->actions().value(0));
        QTest::keyClick(menu, Qt::Key_Return);
        return true;
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                            t.form.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&t.form, &event);
    QCOMPARE(entry, QStringLiteral("关于 Qelvar排盘(&A)..."));
    QVERIFY(seen);
}

// Clock time, place and check box -> lists, dates and the line under them.
// Worked by hand: Ürümqi (87.60 E) 2000-02-05 12:10 Beijing time is
// 09:46 true solar time (longitude −129.6, equation of time −13.9 minutes);
// Chengdu 1988-06-15 07:30 is daylight saving time, 06:30 standard time and
// 05:25 true solar time.
void FormTest::typedTimeSelectsTheLists_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("place");
    QTest::addColumn<bool>("solar");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("line");
    QTest::newRow("Beijing time alone: 午, 70 minutes in")
        << QDate(2000, 2, 5) << "12:10"
        << "" << true << 6 << 7 << "北京时间 12:10";
    QTest::newRow("Ürümqi by true solar time: 巳, 46 minutes in")
        << QDate(2000, 2, 5) << "12:10"
        << "乌鲁木齐市" << true << 5 << 4
        << "乌鲁木齐市 · 新疆维吾尔自治区：北京时间 12:10 → 真太阳时 09:46（经度 −129.5 分，时差 "
           "−13.9 分）";
    QTest::newRow("Ürümqi with the box cleared charts Beijing time")
        << QDate(2000, 2, 5) << "12:10"
        << "Urumqi" << false << 6 << 7
        << "乌鲁木齐市 · 新疆维吾尔自治区：北京时间 12:10 → 真太阳时 09:46（经度 −129.5 分，时差 "
           "−13.9 分），按标准时排盘";
    QTest::newRow("Chengdu in daylight saving: 卯")
        << QDate(1988, 6, 15) << "7:30"
        << "成都" << true << 3 << 2
        << "成都市 · 四川省：夏令时 07:30 → 标准时 06:30 → 真太阳时 05:25（经度 −63.7 分，时差 "
           "−0.4 分）";
    QTest::newRow("a longitude instead of a name")
        << QDate(2000, 2, 5) << "12:10"
        << "87.60, 43.8" << true << 5 << 4
        << "北京时间 12:10 → 真太阳时 09:46（经度 −129.6 分，时差 −13.9 分）";
    QTest::newRow("an ambiguous place sets nothing")
        << QDate(2000, 2, 5) << "12:10"
        << "Suzhou" << true << -1 << -1
        << "出生地“Suzhou”有3处，请加上省市：苏州市 · 江苏省；宿州市 · "
           "安徽省；肃州区 · 酒泉市";
    QTest::newRow("a malformed time sets nothing")
        << QDate(2000, 2, 5) << "12:7"
        << "" << true << -1 << -1 << "出生时间请写成 HH:MM";
}

void FormTest::typedTimeSelectsTheLists() {
    QFETCH(QDate, date);
    QFETCH(QString, time);
    QFETCH(QString, place);
    QFETCH(bool, solar);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, line);
    FormUnderTest t;
    t.Solar()->setDate(date);
    if (!solar) QTest::mouseClick(t.SolarTime(), Qt::LeftButton);
    t.Place()->setText(place);
    QTest::keyClicks(t.Time(), time);
    QCOMPARE(t.Hours()->currentIndex(), hour);
    QCOMPARE(t.Minutes()->currentIndex(), minute);
    QCOMPARE(t.MomentText(), line);
    QCOMPARE(t.Solar()->date(), date);
}

// Kashgar (75.99 E) 2000-02-10 00:30 Beijing time is 21:19 true solar time
// on 9 February: 亥, slot 1, and both pickers move to that day.
void FormTest::trueSolarTimeMovesThePickers() {
    FormUnderTest t;
    t.Solar()->setDate(QDate(2000, 2, 10));
    t.Place()->setText(QStringLiteral("喀什市"));
    QTest::keyClicks(t.Time(), QStringLiteral("00:30"));
    QCOMPARE(t.Hours()->currentIndex(), 11);
    QCOMPARE(t.Minutes()->currentIndex(), 1);
    QCOMPARE(t.Solar()->date(), QDate(2000, 2, 9));
    QCOMPARE(t.Lunar()->value().day, 5);  // 2000-02-05 was 正月初一
    QVERIFY(t.MomentText().contains(QStringLiteral("真太阳时 2000-02-09 21:19")));
    // Clearing the box reads the same clock time as Beijing time again.
    QTest::mouseClick(t.SolarTime(), Qt::LeftButton);
    QCOMPARE(t.Solar()->date(), QDate(2000, 2, 10));
    QCOMPARE(t.Hours()->currentIndex(), 0);
    QCOMPARE(t.Minutes()->currentIndex(), 9);
}

// Typing 朝阳 offers "朝阳区 · 北京市"-style entries, the city first (so does
// 西安, whose districts in 辽源 and 牡丹江 share the name); the one picked is
// the place the line shows the time was read for.
void FormTest::placeCompletionShowsChineseLabels() {
    FormUnderTest t;
    QTest::keyClicks(t.Time(), QStringLiteral("12:10"));
    const auto shownFor = [&t](const QString& typed) {
        t.Place()->setText(typed);  // typed: IME text arrives whole
        emit t.Place()->textEdited(t.Place()->text());
        QStringList shown;
        if (QCompleter* completer = t.Place()->completer())
            for (int row = 0; row < completer->model()->rowCount(); ++row)
                shown << completer->model()->index(row, 0).data().toString();
        return shown;
    };
    QStringList shown = shownFor(QStringLiteral("西安"));
    QVERIFY2(!shown.isEmpty() && shown.first() == QStringLiteral("西安市 · 陕西省"),
             qPrintable(shown.join(u'|')));
    QVERIFY(t.MomentText().startsWith(
        QStringLiteral("出生地“西安”有3处，请加上省市：西安市 · 陕西省；")));
    shown = shownFor(QStringLiteral("朝阳"));
    QCOMPARE(shown.value(0), QStringLiteral("朝阳市 · 辽宁省"));
    for (const char* label :
         {"朝阳区 · 北京市", "朝阳区 · 长春市", "朝阳市 · 辽宁省", "朝阳县 · 朝阳市"})
        QVERIFY2(shown.contains(QString::fromUtf8(label)), qPrintable(shown.join(u'|')));
    QVERIFY(t.MomentText().startsWith(QStringLiteral("出生地“朝阳”有4处")));
    QCOMPARE(t.Hours()->currentIndex(), -1);
    t.Place()->setText(QStringLiteral("朝阳区 · 长春市"));  // as picking the entry writes it
    QVERIFY2(
        t.MomentText().startsWith(QStringLiteral("朝阳区 · 长春市：北京时间 12:10 → 真太阳时")),
        qPrintable(t.MomentText()));
}

void FormTest::listChosenByHandClearsTheTime() {
    FormUnderTest t;
    QTest::keyClicks(t.Time(), QStringLiteral("12:10"));
    QCOMPARE(t.Hours()->currentIndex(), 6);
    t.Hours()->setFocus();
    QTest::keyClick(t.Hours(), Qt::Key_Down);  // a choice by hand
    QCOMPARE(t.Hours()->currentIndex(), 7);
    QVERIFY(t.Time()->text().isEmpty());
    QVERIFY(t.MomentText().isEmpty());
    QCOMPARE(t.Minutes()->currentIndex(), 7);  // the other list stays
}

// 1988-04-17 02:30 never showed on Beijing clocks: no cast until the time
// is mended.
void FormTest::skippedHourClearsTheLists() {
    FormUnderTest t;
    t.Solar()->setDate(QDate(1988, 4, 17));
    t.ChooseBoth();
    QTest::keyClicks(t.Time(), QStringLiteral("02:30"));
    QCOMPARE(t.Hours()->currentIndex(), -1);
    QCOMPARE(t.Minutes()->currentIndex(), -1);
    QVERIFY(t.MomentText().startsWith(QStringLiteral("此钟点不存在")));
    t.Cast();
    QCOMPARE(t.chartsOpened, 0);
}

namespace {

// How the user gets into a picker before typing.
enum class Entry { kClick, kTab, kSelectAll };

QAbstractSpinBox* Picker(FormUnderTest& t, bool lunar) {
    return lunar ? static_cast<QAbstractSpinBox*>(t.Lunar()) : t.Solar();
}

void TypeInto(QAbstractSpinBox* picker, Entry entry, const QString& typed) {
    QLineEdit* edit = picker->findChild<QLineEdit*>();
    switch (entry) {
        case Entry::kClick:
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
            break;
        case Entry::kTab:
            picker->setFocus(Qt::TabFocusReason);
            break;
        case Entry::kSelectAll:
            picker->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
            break;
    }
    QTest::keyClicks(picker, typed);
}

QString Refusal(FormUnderTest& t, bool lunar) {
    return lunar ? t.Lunar()->Refusal() : static_cast<GregorianDateEdit*>(t.Solar())->Refusal();
}

}  // namespace

// Gregorian 1988-06-15 is lunar 1988 五月初二 (the new moon of 14 June 1988
// began the fifth month); 1988 is a 戊辰 year without a leap month.
void FormTest::datesTypedAsPeopleWriteThem_data() {
    QTest::addColumn<bool>("lunar");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("lunarText");
    const QStringList forms{"1988/6/15", "1988-06-15", "1988.6.15", "19880615"};
    const std::pair<Entry, const char*> entries[] = {
        {Entry::kClick, "click"}, {Entry::kTab, "Tab"}, {Entry::kSelectAll, "Ctrl+A"}};
    for (const auto& [entry, how] : entries) {
        for (const QString& typed : forms) {
            QTest::addRow("公历, %s, %s", how, qPrintable(typed))
                << false << int(entry) << typed << "1988/6/15"
                << "龙(戊辰)年五月初二";
            QTest::addRow("农历, %s, %s", how, qPrintable(typed))
                << true << int(entry) << typed << "1988/6/15"
                << "龙(戊辰)年六月十五";
        }
        QTest::addRow("农历, %s, 1988/5/2", how) << true << int(entry) << "1988/5/2"
                                                 << "1988/5/2"
                                                 << "龙(戊辰)年五月初二";
    }
}

// Each way of writing a date, typed after a click, Tab or Ctrl+A and left
// with Tab, sets the picker and converts.
void FormTest::datesTypedAsPeopleWriteThem() {
    QFETCH(bool, lunar);
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, lunarText);
    FormUnderTest t;
    t.form.show();
    t.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.form));
    QAbstractSpinBox* picker = Picker(t, lunar);
    TypeInto(picker, Entry(entry), typed);
    QTest::keyClick(picker, Qt::Key_Tab);
    QCOMPARE(picker->text(), shown);
    QCOMPARE(t.LunarText(), lunarText);
    if (lunarText.endsWith(QStringLiteral("五月初二")))
        QCOMPARE(t.Solar()->date(), QDate(1988, 6, 15));
    QCOMPARE(Refusal(t, lunar), QString());
}

void FormTest::refusedDatesSayWhy_data() {
    QTest::addColumn<bool>("lunar");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    // The form's text: "Error Date" where the conversion refuses; the
    // picker itself refuses 30 February, so the form keeps 2023/2/3 read
    // at 00:30 in Ürümqi, the 2nd by true solar time: 正月十二.
    QTest::addColumn<QString>("lunarText");
    QTest::newRow("the day before the range") << false << "1901/2/18"
                                              << "公历只能换算 1901年2月19日 至 2051年2月10日"
                                              << "Error Date";
    QTest::newRow("30 February") << false << "2023/2/30"
                                 << "2023年2月只有28天"
                                 << "兔(癸卯)年正月十二";
    QTest::newRow("the 30th of a 29-day lunar month") << true << "2023/3/30"
                                                      << "农历2023年三月只有29天"
                                                      << "Error Date";
    QTest::newRow("a lunar year after the table") << true << "2051/1/1"
                                                  << "农历只能换算 1901 至 2050 年"
                                                  << "Error Date";
}

// A date no calendar side can take stays in the picker as typed, with the
// reason in a note under it, inside the form; a good date takes the note
// away.  A clock time already read (Ürümqi 00:30, true solar time the day
// before) is not read again on the old date behind the refusal's back.
void FormTest::refusedDatesSayWhy() {
    QFETCH(bool, lunar);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    QFETCH(QString, lunarText);
    FormUnderTest t;
    t.form.show();
    t.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.form));
    t.Place()->setText(QStringLiteral("乌鲁木齐市"));
    QTest::keyClicks(t.Time(), QStringLiteral("00:30"));
    QAbstractSpinBox* picker = Picker(t, lunar);
    TypeInto(picker, Entry::kSelectAll, typed);
    QCOMPARE(picker->text(), typed);
    QCOMPARE(Refusal(t, lunar), reason);
    QCOMPARE(t.LunarText(), lunarText);
    auto* note = t.form.findChild<QLabel*>(QStringLiteral("dateRefusal"));
    QVERIFY(note != nullptr && note->isVisible());
    QVERIFY(note->y() >= picker->geometry().bottom());
    QVERIFY(t.form.rect().contains(note->geometry()));
    QVERIFY(note->fontMetrics().horizontalAdvance(reason) <= note->contentsRect().width() ||
            note->height() >= 2 * note->fontMetrics().lineSpacing());
    QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(picker, QStringLiteral("2000/2/5"));
    QCOMPARE(Refusal(t, lunar), QString());
    QVERIFY(note->isHidden());
}

// Worked out in typedTimeSelectsTheLists: the longest lines the form
// writes under the place, at the dialog font; ctest runs this at scale 2
// too.
void FormTest::momentLineWrapsBetweenItems_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("place");
    QTest::addColumn<bool>("oneItem");
    QTest::newRow("Ürümqi 00:30 in daylight saving time") << QDate(1988, 6, 15) << "00:30"
                                                          << "乌鲁木齐市" << false;
    QTest::newRow("true solar time on the day before") << QDate(2000, 2, 10) << "00:30"
                                                       << "喀什市" << false;
    QTest::newRow("a place with two entries") << QDate(2000, 2, 5) << "12:10"
                                              << "Suzhou" << false;
    QTest::newRow("an unknown name longer than the line")
        << QDate(2000, 2, 5) << "12:10"
        << "Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch" << true;
}

// The line breaks only between items, every line fits the label, the label
// every line, and the form grows to hold it inside its frame.
void FormTest::momentLineWrapsBetweenItems() {
    QFETCH(QDate, date);
    QFETCH(QString, time);
    QFETCH(QString, place);
    QFETCH(bool, oneItem);
    FormUnderTest t;
    const QSize before = t.form.size();
    t.Solar()->setDate(date);
    t.Place()->setText(place);
    QTest::keyClicks(t.Time(), time);
    auto* line = t.Control<ItemWrapLabel>(1014);
    const QStringList lines = line->Lines();
    QVERIFY2(!lines.isEmpty(), qPrintable(t.MomentText()));
    const QFontMetrics metrics = line->fontMetrics();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(metrics.horizontalAdvance(lines[i]) <= line->contentsRect().width(),
                 qPrintable(lines[i]));
        if (i == 0 || oneItem) continue;
        const bool betweenItems = lines[i].startsWith(QStringLiteral("→")) ||
                                  lines[i].startsWith(QStringLiteral("（")) ||
                                  QStringLiteral("，；：").contains(lines[i - 1].back());
        QVERIFY2(betweenItems, qPrintable(lines[i - 1] + " | " + lines[i]));
    }
    QVERIFY(line->height() >= lines.size() * metrics.lineSpacing());
    const QWidget* frame = nullptr;
    for (const QWidget* w : t.form.findChildren<QWidget*>(QStringLiteral("static"))) {
        if (w != line && w->geometry().contains(line->geometry())) frame = w;
    }
    QVERIFY(frame != nullptr);
    QVERIFY(t.form.rect().contains(frame->geometry()));
    QVERIFY(t.form.height() >= before.height());
    t.Time()->selectAll();  // no time, no line: back to the template size
    QTest::keyClick(t.Time(), Qt::Key_Backspace);
    QCOMPARE(t.form.size(), before);
}

// The hints in the empty time and place fields are drawn in the palette's
// placeholder colour, grey, not as black as typed text.
void FormTest::placeholdersAreGrey() {
    FormUnderTest t;
    t.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.form));
    const QColor expected = t.Time()->palette().color(QPalette::PlaceholderText);
    QCOMPARE(expected.alpha(), 255);
    for (QLineEdit* field : {t.Time(), t.Place()}) {
        QVERIFY(!field->placeholderText().isEmpty());
        const QImage shot = field->grab().toImage();
        const int inset = qCeil(3 * shot.devicePixelRatio());
        int darkest = 255;
        for (int y = inset; y < shot.height() - inset; ++y) {
            for (int x = inset; x < shot.width() - inset; ++x)
                darkest = std::min(darkest, qGray(shot.pixel(x, y)));
        }
        QVERIFY2(darkest >= qGray(expected.rgb()) - 8 && darkest < 200,
                 qPrintable(QString::number(darkest)));
    }
}

QTEST_MAIN(FormTest)
#include "tst_form.moc"
