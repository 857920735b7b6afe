// The chart drawn in traditional Chinese: every text painted for 1,000
// charts over the calendar's range, with all six period layers and a
// cell's relations, is caught at the paint engine (the glyph runs
// themselves, whatever path they took) and holds no simplified-only
// character; the template metrics stay those of the zh-CN dialog font.
// The windows in zh-TW: every text of the form, the chart window (menus,
// tool bar, time line), the 命例库 and 设置 windows and the capture window's
// help box, and every text they paint, holds none either; so does every
// translation of the catalogues, message boxes included.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextItem>
#include <QToolButton>
#include <QXmlStreamReader>
#include <string>
#include <vector>

#include "birth/BirthBuilder.h"
#include "capture/HelpText.h"
#include "chart/ChartCaption.h"
#include "chart/ZiWei.h"
#include "form/FormLayout.h"
#include "periods/PeriodOverlay.h"
#include "periods/Periods.h"
#include "tests/lang/SimplifiedOnly.h"
#include "tests/ui/KnownBirth.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/DialogFont.h"
#include "ui/app/SettingsDlg.h"
#include "ui/app/TemplateWidgets.h"
#include "ui/capture/MyEdit.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/ChartPicture.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/TovrinDlg.h"
#include "ui/library/LibraryWindow.h"

using namespace qelvar;

namespace {

// A paint engine that draws nothing and keeps the text of every glyph run.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }
    QStringList texts;
};

class RecordingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QStringList& Texts() { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth:
            case PdmHeight:
                return 4000;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            case PdmNumColors:
                return 1 << 24;
            case PdmDepth:
                return 32;
            default:
                return 1000;
        }
    }

private:
    mutable TextRecorder m_engine;
};

QString SimplifiedOnlyIn(const QString& text) {
    QString found;
    const std::string utf8 = text.toStdString();
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        if (len > 1 && test::kSimplifiedOnly.find(utf8.substr(i, len)) != std::string_view::npos)
            found += QString::fromStdString(utf8.substr(i, len));
        i += len;
    }
    return found;
}

constexpr std::chrono::year_month_day kToday{std::chrono::year{2026}, std::chrono::month{12},
                                             std::chrono::day{7}};

// Every text one chart draws: the natal slots and labels, the overlay of
// all layers at the target, the relations of one cell and the caption.
QStringList DrawnTexts(const BirthData& birth, const HoroscopeRequest& target, int cell,
                       bool& withPeriods) {
    ZiWeiChart cast(birth, kToday);
    cast.RunChartSteps();
    std::unordered_map<int, QString> texts;
    for (const int id : ChartGrid::SlotIds())
        texts.emplace(id, QString::fromStdString(cast.Grid().GetSlotText(id)));
    ChartPicture picture(std::move(texts), DialogFont());
    const NatalChart natal = ReadNatalChart(cast.Value());
    static const LunarCalendar calendar;
    const HoroscopeResult h = ComputeHoroscope(natal, target, calendar);
    withPeriods = h.ok() && h.horoscope.layers.size() == 6;
    if (h.ok()) {
        const std::vector<LayerKind> all = {LayerKind::Decade, LayerKind::Minor, LayerKind::Year,
                                            LayerKind::Month,  LayerKind::Day,   LayerKind::Hour};
        picture.SetOverlay(LayOutPeriodOverlay(h.horoscope, all, [&](int id) {
            return std::string_view(cast.Grid().GetSlotText(id));
        }));
    }
    const auto flying = FlyingTransformations(natal);
    picture.SetRelations(cell, &flying[BranchOfCell(cell)]);
    RecordingDevice device;
    {
        QPainter painter(&device);
        PaintChartPage(painter, picture, QString::fromStdString(ChartCaption(birth)),
                       QRectF(0, 0, 2000, 2000));
    }
    return device.Texts();
}

// Every text a window holds: titles, labels, buttons, placeholders, tool
// tips, list items, actions of its tool bar and menus, the help box's text;
// then every text it paints (the time line, the lunar line, the buttons).
QStringList WindowTexts(QWidget& window) {
    QStringList texts;
    QList<QObject*> objects{&window};
    objects += window.findChildren<QObject*>();
    for (QObject* o : objects) {
        for (const char* name : {"windowTitle", "text", "toolTip", "statusTip", "whatsThis",
                                 "placeholderText", "title", "plainText", "iconText"}) {
            const QVariant v = o->property(name);
            if (v.typeId() == QMetaType::QString) texts << v.toString();
        }
        if (const auto* list = qobject_cast<QComboBox*>(o))
            for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        if (const auto* button = qobject_cast<QToolButton*>(o); button && button->menu())
            for (const QAction* a : button->menu()->actions()) texts << a->text() << a->toolTip();
    }
    RecordingDevice device;
    {
        QPainter painter(&device);
        window.render(&painter);
    }
    return texts + device.Texts();
}

QStringList Distinct(QStringList texts) {
    texts.sort();
    texts.removeDuplicates();
    return texts;
}

}  // namespace

class TraditionalChartTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { SetAppLanguage(Language::ZhCN); }
    void templateMetricsStay();
    void startLanguage();
    void noSimplifiedCharacterDrawn();
    void windowsShowNoSimplifiedCharacter();
    void cataloguesHoldNoSimplifiedCharacter();
    void formSwitchesLanguageAtOnce();
};

void TraditionalChartTest::initTestCase() {
    SetAppLanguage(Language::ZhTW);
    InstallSongFont();
}

void TraditionalChartTest::templateMetricsStay() {
    SetAppLanguage(Language::ZhCN);
    const DialogBaseUnits cn = BaseUnitsOf(DialogFont());
    for (const Language l : {Language::ZhTW, Language::ZhHK}) {
        SetAppLanguage(l);
        const DialogBaseUnits units = BaseUnitsOf(DialogFont());
        QCOMPARE(units.x, cn.x);
        QCOMPARE(units.y, cn.y);
    }
    SetAppLanguage(Language::ZhTW);
}

// The locale decides until a language is chosen in the menu; the choice
// then holds over the locale at the next start.
void TraditionalChartTest::startLanguage() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    struct Row {
        const char *lcAll, *lcMessages, *lang;
        Language expected;
    } const rows[] = {
        {"", "", "zh_TW.UTF-8", Language::ZhTW},           {"", "", "zh_HK.UTF-8", Language::ZhHK},
        {"", "", "zh_MO.UTF-8", Language::ZhHK},           {"", "", "zh_CN.UTF-8", Language::ZhCN},
        {"", "", "en_US.UTF-8", Language::ZhCN},           {"", "zh_TW", "en_US", Language::ZhTW},
        {"zh_CN.UTF-8", "zh_TW", "zh_TW", Language::ZhCN}, {"", "", "", Language::ZhCN},
    };
    for (const Row& r : rows) {
        qputenv("LC_ALL", r.lcAll);
        qputenv("LC_MESSAGES", r.lcMessages);
        qputenv("LANG", r.lang);
        QCOMPARE(SystemLanguage(), r.expected);
        QCOMPARE(StartLanguage(), r.expected);
    }
    RememberLanguage(Language::ZhHK);
    QCOMPARE(StartLanguage(), Language::ZhHK);  // LANG is "" now: the choice wins
    qputenv("LANG", "zh_TW.UTF-8");
    QCOMPARE(StartLanguage(), Language::ZhHK);
    qputenv("QELVAR_LANG", "zh-TW");  // this run only, over the choice
    QCOMPARE(StartLanguage(), Language::ZhTW);
    qunsetenv("QELVAR_LANG");
}

void TraditionalChartTest::noSimplifiedCharacterDrawn() {
    const auto first = std::chrono::sys_days{std::chrono::year{1901} / 2 / 19};
    int charts = 0, withPeriods = 0;
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::chrono::year_month_day day{first + std::chrono::days{i * 54 + i % 7}};
        const auto solar = ToSolarDate(day);
        QVERIFY(solar);
        const auto dates = DatesFromSolar(*solar);
        QVERIFY(dates);
        const BirthTime time{i % 13, (i * 7) % 12, i % 2, std::nullopt};
        BirthData birth;
        StoreDates(birth, *dates);
        StoreTime(birth, *dates, time);
        const int targetYear = std::min(2050, static_cast<int>(day.year()) + 1 + i % 70);
        const HoroscopeRequest target{targetYear, 1 + i % 12, 1 + i % 28, i % 13};
        bool periods = false;
        const QStringList texts = DrawnTexts(birth, target, i % 12, periods);
        withPeriods += periods ? 1 : 0;
        ++charts;
        for (const QString& t : texts) {
            seen.insert(t);
            const QString bad = SimplifiedOnlyIn(t);
            QVERIFY2(bad.isEmpty(),
                     qPrintable(QStringLiteral("chart %1: %2 in %3").arg(i).arg(bad, t)));
        }
    }
    QCOMPARE(charts, 1000);
    QVERIFY2(withPeriods > 900, qPrintable(QString::number(withPeriods)));
    // The recorder saw the chart's own texts, in their traditional forms.
    const QString all = QStringList(seen.begin(), seen.end()).join(QChar('|'));
    for (const char* expected : {"命宮", "廟", "農曆：", "子年斗君：", "財帛宮", "閏"})
        QVERIFY2(all.contains(QString::fromUtf8(expected)), expected);
}

void TraditionalChartTest::windowsShowNoSimplifiedCharacter() {
    InstallQtTranslations(Language::ZhTW);
    QStringList texts;
    {
        BirthData birth;
        CTovrinDlg form(birth, kToday);
        // A time and a longitude write the line under the place.
        QTest::keyClicks(form.findChild<QLineEdit*>(ControlName(form_id::kTimeEdit)), "12:30");
        QTest::keyClicks(form.findChild<QLineEdit*>(ControlName(form_id::kPlaceEdit)), "104.07");
        texts << WindowTexts(form);
    }
    {
        CZiWeiDlg chart(KnownBirth(), kToday);
        chart.resize(1200, 900);
        texts << WindowTexts(chart);
    }
    // The 命例库 window (an empty library: its headers, buttons and groups)
    // and the settings.
    QTemporaryDir home;
    qputenv("QELVAR_LIBRARY", QDir(home.path()).filePath("library.sqlite").toUtf8());
    library::Library* lib = AppLibrary(nullptr);
    QVERIFY(lib != nullptr);
    {
        LibraryWindow window(*lib, {});
        window.resize(900, 600);
        texts << WindowTexts(window);
        SettingsDlg settings;
        texts << WindowTexts(settings);
    }
    // The capture window's help box in each state, and the read-out.
    CMyEdit help(nullptr);
    for (const auto& [dragging, selected] :
         {std::pair{false, false}, {true, true}, {false, true}}) {
        help.SetHelpText(ColourLine(MakeColorRef(1, 2, 3), {4, 5}) +
                         CoreText(HelpStateText(dragging, selected)).toStdString());
        texts << WindowTexts(help);
    }
    for (const std::string& line : ReadoutLines({1, 2, 30, 40}, {5, 6})) texts << CoreText(line);
    texts << CoreText(kReadoutWidthText);
    InstallQtTranslations(Language::ZhCN);
    for (const QString& t : texts) {
        const QString bad = SimplifiedOnlyIn(t);
        QVERIFY2(bad.isEmpty(), qPrintable(QStringLiteral("%1 in %2").arg(bad, t)));
    }
    // The scan saw the windows' own texts, in their traditional forms.
    const QString all = texts.join(QChar('|'));
    for (const char* expected :
         {"斗數排盤", "出生時間", "閏月", "設定...", "儲存…", "檢視", "顯示雜曜", "按下滑鼠左鍵",
          "頂點位置", "經度", "午 (11-13)", "匯入...", "性別", "閏月出生", "天鉞"})
        QVERIFY2(all.contains(QString::fromUtf8(expected)), expected);
}

// Every text of both catalogues is translated and holds no simplified-only
// character: the message boxes and dialogs no scan above opens included.
void TraditionalChartTest::cataloguesHoldNoSimplifiedCharacter() {
    for (const char* name : {"qelvar_zh_TW.ts", "qelvar_zh_HK.ts"}) {
        QFile file(QStringLiteral(QELVAR_SOURCE_DIR "/ui/translations/") + QLatin1String(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int translations = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement() || xml.name() != QLatin1String("translation")) continue;
            const bool unfinished = xml.attributes().hasAttribute(QStringLiteral("type"));
            const QString text = xml.readElementText();
            QVERIFY2(!unfinished && !text.isEmpty(), qPrintable(text));
            QVERIFY2(SimplifiedOnlyIn(text).isEmpty(), qPrintable(text));
            ++translations;
        }
        QVERIFY(!xml.hasError());
        QVERIFY2(translations > 150, qPrintable(QString::number(translations)));
    }
}

// A form open in zh-CN whose language is switched shows what a form opened
// in the new language shows, and switched back what it showed before.
void TraditionalChartTest::formSwitchesLanguageAtOnce() {
    const auto texts = [](CTovrinDlg& form) {
        QTest::keyClicks(form.findChild<QLineEdit*>(ControlName(form_id::kTimeEdit)), "9:05");
        return WindowTexts(form);
    };
    const auto switchTo = [](Language l) {
        SetAppLanguage(l);
        InstallQtTranslations(l);
        QCoreApplication::processEvents();  // the windows' language-change events
    };
    BirthData birth;
    switchTo(Language::ZhCN);
    CTovrinDlg form(birth, kToday);
    const QStringList simplified = texts(form);
    switchTo(Language::ZhHK);
    BirthData other;
    CTovrinDlg fresh(other, kToday);
    const QStringList expected = texts(fresh);
    QVERIFY(expected != simplified);
    QCOMPARE(Distinct(WindowTexts(form)), Distinct(expected));
    switchTo(Language::ZhCN);
    QCOMPARE(Distinct(WindowTexts(form)), Distinct(simplified));
    switchTo(Language::ZhTW);
}

QTEST_MAIN(TraditionalChartTest)
#include "tst_traditional.moc"
