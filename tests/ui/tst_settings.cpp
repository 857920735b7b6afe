// The one settings file and the 设置 dialog through the real windows: the
// values of the older file read once, a school reading changed in 设置
// recasting an open chart (its cells and its caption), every choice named
// in the caption, palette and zoom, the chart's 命例库 and 存入命例库 buttons,
// and everything remembered when the settings are opened again as at the
// next start.  The settings and the library live in a fresh folder
// ($XDG_CONFIG_HOME, $QELVAR_LIBRARY); with QELVAR_SHOTS=DIR the dialog and
// the chart are saved as pictures there.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/KnownBirth.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/AppSettings.h"
#include "ui/app/DialogFont.h"
#include "ui/app/SettingsDlg.h"
#include "ui/chart/SchoolChoices.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/TovrinDlg.h"
#include "ui/library/LibraryWindow.h"

using namespace qelvar;
using std::chrono::year;

namespace {

QTemporaryDir& Home() {
    static QTemporaryDir dir;
    return dir;
}

QString Config() {
    return QDir(Home().path()).filePath(QStringLiteral("config"));
}

void Shot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("QELVAR_SHOTS");
    if (dir.isEmpty()) return;
    QApplication::processEvents();
    w.grab().save(dir + "/" + name + ".png");
}

// The cell (PalaceIndex) of the star slot that shows `star`; -1 for none.
int CellOf(const CZiWeiDlg& chart, const QString& star) {
    for (int id = 1061; id < 1217; ++id)
        if (chart.SlotText(id) == star) return FindSlotPlace(id)->palace;
    return -1;
}

QComboBox* SchoolList(SettingsDlg& dlg, int index) {
    return dlg.findChild<SchoolChoices*>()->findChildren<QComboBox*>().at(index);
}

void Choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void PressOk(SettingsDlg& dlg) {
    dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void oldFileReadOnce();
    void schoolReadingRecastsTheOpenChart();
    void captionNamesEveryChoice();
    void paletteAndZoom();
    void chartReachesTheLibrary();
    void cleanupTestCase();
};

void SettingsTest::initTestCase() {
    QVERIFY(Home().isValid());
    InstallSongFont();
    qputenv("XDG_CONFIG_HOME", Config().toUtf8());
    qputenv("QELVAR_LIBRARY", QDir(Home().path()).filePath("library.sqlite").toUtf8());
}

void SettingsTest::cleanupTestCase() {
    if (LibraryWindow* w = LibraryWindow::Instance()) delete w;
}

// The older file's values where the new file has none; read once.
void SettingsTest::oldFileReadOnce() {
    QVERIFY(QDir().mkpath(Config() + "/Tovrin"));
    {
        QSettings old(Config() + "/Tovrin/Qelvar.conf", QSettings::IniFormat);
        old.setValue("language", "zh-TW");
        old.setValue("chart/adjectiveStars", false);
        old.setValue("chart/layer2", false);
    }
    {
        QSettings now(Config() + "/qelvar/qelvar.ini", QSettings::IniFormat);
        now.setValue("chart/layer2", true);  // set in the new file: kept
    }
    ReopenAppSettings();
    QCOMPARE(AppSettingsPath(), Config() + "/qelvar/qelvar.ini");
    QCOMPARE(StartLanguage(), Language::ZhTW);
    QCOMPARE(AppSettings().value("chart/adjectiveStars").toBool(), false);
    QCOMPARE(AppSettings().value("chart/layer2").toBool(), true);
    // The language menu's choice goes to the one file.
    RememberLanguage(Language::ZhCN);
    ReopenAppSettings();
    QCOMPARE(StartLanguage(), Language::ZhCN);
    {
        QSettings old(Config() + "/Tovrin/Qelvar.conf", QSettings::IniFormat);
        QCOMPARE(old.value("language").toString(), QStringLiteral("zh-TW"));  // left alone
        old.setValue("chart/clearPalette", true);
    }
    ReopenAppSettings();
    QVERIFY(!AppSettings().contains("chart/clearPalette"));  // not read a second time
    AppSettings().setValue("chart/adjectiveStars", true);
}

// 设置 changes a school reading: the open chart is cast again at once (天魁
// of a 庚 year moves from 午 to 丑) and its caption names the reading; the
// choice is there again after a restart.
void SettingsTest::schoolReadingRecastsTheOpenChart() {
    CZiWeiDlg chart(KnownBirth(), year{2026} / 12 / 8, nullptr, LoadConventions());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QCOMPARE(CellOf(chart, "天魁"), CellOfBranch(6));  // 午
    const QString plainTitle = chart.windowTitle();
    const QImage before = chart.ChartWindowImage();
    {
        SettingsDlg dlg;
        Choose(SchoolList(dlg, 1), 1);  // 天魁 天钺: 丑/未
        Choose(SchoolList(dlg, 9), 1);  // the extended stars
        dlg.show();
        Shot(dlg, "settings");
        PressOk(dlg);
    }
    QCOMPARE(CellOf(chart, "天魁"), CellOfBranch(1));  // 丑
    QCOMPARE(CellOf(chart, "天钺"), CellOfBranch(7));  // 未
    QCOMPARE(chart.Conventions().school.kuiYue, KuiYueRule::ChouWei);
    QVERIFY(chart.ChartWindowImage() != before);
    QVERIFY(chart.windowTitle().startsWith(plainTitle));
    QVERIFY(chart.windowTitle().contains(QStringLiteral("魁钺丑未")));
    QVERIFY(chart.Caption().contains(QStringLiteral("魁钺丑未")));
    // The extended stars draw the 小限 ages of every cell.
    int drawn = 0;
    for (const DrawnText& t : chart.Picture().DrawnTexts())
        drawn += t.text == QStringLiteral("小限") && t.palace >= 0;
    QCOMPARE(drawn, 12);
    Shot(chart, "chart-extended");

    ReopenAppSettings();  // as the next start reads the file
    const ChartConventions kept = LoadConventions();
    QCOMPARE(kept.school.kuiYue, KuiYueRule::ChouWei);
    QCOMPARE(kept.school.stars, StarSet::Extended);
    SettingsDlg again;
    QCOMPARE(SchoolList(again, 1)->currentIndex(), 1);
    CZiWeiDlg reopened(KnownBirth(), year{2026} / 12 / 8, nullptr, kept);
    QCOMPARE(CellOf(reopened, "天魁"), CellOfBranch(1));
}

// Each convention and each school choice alone names itself in the title
// and the caption: every one differs from the defaults' and from the rest.
void SettingsTest::captionNamesEveryChoice() {
    CZiWeiDlg chart(KnownBirth(), year{2026} / 12 / 8);
    std::vector<ChartConventions> single;
    for (int i = 0; i < 3; ++i) {
        ChartConventions c;
        if (i == 0) c.lateZi = LateZi::NextDay;
        if (i == 1) c.leapMonth = LeapMonthRule::Split;
        if (i == 2) c.yearStart = YearStart::Lichun;
        single.push_back(c);
    }
    for (const SchoolField& f : SchoolFields(School{}))
        for (const std::string_view value :
             {"chou-wei", "year", "火星", "pair", "阳武府同", "阳武同阴", "贪阴阳机", "梁紫府武",
              "common", "extended"}) {
            ChartConventions c;
            if (SetSchoolChoice(c.school, f.key, value)) single.push_back(c);
        }
    QCOMPARE(single.size(), std::size_t{3 + 9 + 1});  // 庚 has two other rows
    QVERIFY(chart.Recast({}));
    const QString plainTitle = chart.windowTitle(), plainCaption = chart.Caption();
    QSet<QString> titles, captions;
    for (const ChartConventions& c : single) {
        QVERIFY(chart.Recast(c));
        QVERIFY(chart.windowTitle().startsWith(plainTitle + " "));
        titles.insert(chart.windowTitle());
        captions.insert(chart.Caption().mid(plainCaption.size()));
    }
    QCOMPARE(titles.size(), qsizetype(single.size()));
    QCOMPARE(captions.size(), qsizetype(single.size()));
    QVERIFY(!captions.contains(QString()));
}

// Palette and zoom: OK redraws the open chart with them, and they stay.
void SettingsTest::paletteAndZoom() {
    CZiWeiDlg chart(KnownBirth(), year{2026} / 12 / 8, nullptr, LoadConventions());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    {
        SettingsDlg dlg;
        auto* palette = dlg.findChild<QComboBox*>("palette");
        auto* zoom = dlg.findChild<QComboBox*>("zoom");
        palette->setCurrentIndex(1);
        zoom->setCurrentIndex(zoom->findData(1.5));
        PressOk(dlg);
    }
    QCOMPARE(chart.Picture().Palette(), ChartPalette::kClear);
    QCOMPARE(chart.Zoom(), 1.5);
    ReopenAppSettings();
    QVERIFY(LoadClearPalette());
    QCOMPARE(LoadChartZoom(), 1.5);
    CZiWeiDlg next(KnownBirth(), year{2026} / 12 / 8, nullptr, LoadConventions());
    QCOMPARE(next.Zoom(), 1.5);
    QCOMPARE(next.Picture().Palette(), ChartPalette::kClear);
}

// A chart window of a record: its 命例库 button opens the library window
// (let through while the chart is modal), and 存入命例库 keeps the reading
// the chart shows now in the record.
void SettingsTest::chartReachesTheLibrary() {
    BirthData formBirth;
    CTovrinDlg form(formBirth, year{2026} / 12 / 8);
    library::Library* lib = AppLibrary(nullptr);
    QVERIFY(lib != nullptr);
    library::Record r;
    r.name = "赵一";
    r.birth.year = 2000;
    r.birth.month = 2;
    r.birth.day = 5;
    r.birth.doubleHour = 6;
    QVERIFY(lib->Add(r).ok);
    CZiWeiDlg* chart = OpenRecordChart(r, &form);
    QVERIFY(chart != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    QVERIFY(!chart->windowTitle().contains(QStringLiteral("魁钺丑未")));  // the record's own
    chart->ApplySettings();                                               // as 设置's OK does
    QCOMPARE(chart->Conventions().school.kuiYue, KuiYueRule::ChouWei);

    auto* save = chart->findChild<QAction*>("saveToLibrary");
    QVERIFY(save != nullptr && save->isEnabled());
    save->trigger();
    QCOMPARE(lib->Get(r.id)->conventions.school.kuiYue, KuiYueRule::ChouWei);

    auto* open = chart->findChild<QAction*>("openLibrary");
    QVERIFY(open != nullptr);
    open->trigger();
    LibraryWindow* window = LibraryWindow::Instance();
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->parentWidget(), chart);  // a child of the chart while it is open
    chart->done(0);
    QCOMPARE(window->parentWidget(), &form);
    QVERIFY(window->isVisible());
    window->close();
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
