// The chart picture with periods and relations, as the window, its files
// and qelvar-cli render draw it, checked over generated births and targets:
// every item of the horoscope stands as a text inside its own cell, no two
// drawn texts overlap, every layer 四化 mark stands in its star's column,
// the SVG file holds one <text> per drawn text, and the arrows and labels
// of a selected cell cross no text.  Needs only the picture library.
#include <QBuffer>
#include <QFontMetrics>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <random>

#include "tests/periods/PeriodsFixture.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/ChartPicture.h"

using namespace qelvar;

// QVERIFY2 that builds its message only when the condition fails.
#define CHECK(condition, message)                              \
    do {                                                       \
        if (!(condition)) QFAIL(qPrintable(QString(message))); \
    } while (false)
using qelvar::test::Cast;
using qelvar::test::CastBirth;

namespace {

struct Pair {
    Cast cast;
    HoroscopeRequest target;
};

// 200 births from 1901 to 2040, both sexes, every double-hour, each with a
// target between its first year and the calendar's end.
std::vector<Pair> Pairs() {
    std::mt19937 random(20261207);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<Pair> pairs;
    while (pairs.size() < 200) {
        const int year = pick(1901, 2040);
        Cast cast = CastBirth(year, pick(1, 12), pick(1, 28), pick(0, 12), pick(0, 1));
        if (cast.grid.GetSlotText(slot::kBureau).empty()) continue;
        const int targetYear = pick(year + 1, std::min(2050, year + 100));
        pairs.push_back({std::move(cast), {targetYear, pick(1, 12), pick(1, 28), pick(0, 12)}});
    }
    return pairs;
}

// The layers the window shows at each depth, decade to double-hour.
std::vector<LayerKind> LayersAtDepth(int depth) {
    const std::vector<LayerKind> all = {LayerKind::Decade, LayerKind::Minor, LayerKind::Year,
                                        LayerKind::Month,  LayerKind::Day,   LayerKind::Hour};
    static constexpr int kCount[] = {1, 3, 4, 5, 6};
    return {all.begin(), all.begin() + kCount[depth]};
}

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool Within(const QRectF& inner, const QRectF& outer) {
    return inner.left() >= outer.left() - 0.01 && inner.right() <= outer.right() + 0.01 &&
           inner.top() >= outer.top() - 0.01 && inner.bottom() <= outer.bottom() + 0.01;
}

// The <text> elements of an SVG file: text, x, baseline y.
struct SvgText {
    QString text;
    int x, y;
    friend bool operator<(const SvgText& a, const SvgText& b) {
        return std::tie(a.text, a.x, a.y) < std::tie(b.text, b.x, b.y);
    }
    friend bool operator==(const SvgText&, const SvgText&) = default;
};
std::vector<SvgText> SvgTexts(const QByteArray& svg) {
    static const QRegularExpression element(
        QString::fromLatin1(R"re(<text[^>]* x="([-\d.]+)" y="([-\d.]+)"[^>]*>([^<]*)</text>)re"));
    std::vector<SvgText> out;
    for (const QRegularExpressionMatch& m : element.globalMatch(QString::fromUtf8(svg))) {
        out.push_back(
            {m.captured(3), qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())});
    }
    return out;
}

// The drawn text of the star `star` in cell `palace`: its first character,
// with the second stacked under it (a star column) or beside it.
std::optional<QRectF> StarBox(const std::vector<DrawnText>& texts, int palace,
                              std::string_view star) {
    const QString name = Q(star);
    std::vector<const DrawnText*> cell;
    for (const DrawnText& t : texts)
        if (t.kind == DrawnText::Kind::kNatal && t.palace == palace) cell.push_back(&t);
    for (const DrawnText* p : cell) {
        const DrawnText& t = *p;
        if (t.text.startsWith(name)) return t.box;
        if (t.text != name.left(1)) continue;
        for (const DrawnText* q : cell)
            if (const DrawnText& u = *q; u.text == name.mid(1, 1) &&
                                         std::abs(u.box.left() - t.box.left()) < 0.5 &&
                                         std::abs(u.box.top() - t.box.bottom()) < 0.5)
                return t.box;
    }
    return std::nullopt;
}

}  // namespace

class ChartPictureTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        InstallSongFont();
        m_pairs = Pairs();
    }
    void everyItemInItsCellAtEveryDepth();
    void relationsCrossNoText();
    void renderDrawsThePicture();
    void clearPaletteRaisesEveryText();

private:
    std::vector<Pair> m_pairs;
};

void ChartPictureTest::everyItemInItsCellAtEveryDepth() {
    LunarCalendar calendar;
    int checked = 0;
    for (std::size_t i = 0; i < m_pairs.size(); ++i) {
        const Pair& pair = m_pairs[i];
        for (int depth = 0; depth < 5; ++depth) {
            HoroscopeRequest request = pair.target;
            if (depth < 4) request.hour.reset();
            const HoroscopeResult h = ComputeHoroscope(pair.cast.natal, request, calendar);
            QVERIFY2(h.ok(), h.error.c_str());
            ChartPicture picture = ChartPicture::OfGrid(pair.cast.grid);
            const std::vector<LayerKind> layers = LayersAtDepth(depth);
            picture.ShowPeriods(&h.horoscope, layers);
            const std::vector<DrawnText> texts = picture.DrawnTexts();
            const QString where = QStringLiteral("pair %1 depth %2").arg(i).arg(depth);

            // No two drawn texts overlap.
            for (std::size_t a = 0; a < texts.size(); ++a)
                for (std::size_t b = a + 1; b < texts.size(); ++b)
                    CHECK(!texts[a].box.intersects(texts[b].box),
                          qPrintable(where + " " + texts[a].text + " / " + texts[b].text));

            // Every item of every layer shown, inside its own cell.
            auto drawnIn = [&](Branch cell, const QString& text, LayerKind layer,
                               bool mark) -> const DrawnText* {
                const int palace = CellOfBranch(cell);
                for (const DrawnText& t : texts)
                    if (t.kind == DrawnText::Kind::kLayer && t.layer == layer && t.text == text &&
                        t.palace == palace && t.mark == mark &&
                        Within(t.box, picture.CellRect(palace)))
                        return &t;
                return nullptr;
            };
            int items = 0;
            for (const PeriodLayer& l : h.horoscope.layers) {
                if (std::find(layers.begin(), layers.end(), l.kind) == layers.end()) continue;
                const QString layer = Q(LayerName(l.kind));
                for (Branch b = 0; b < 12; ++b) {
                    const QString name = Q(LayerPalaceLabel(l.kind, l.palaces[b]));
                    CHECK(drawnIn(b, name, l.kind, false), qPrintable(where + layer + name));
                    for (const std::string_view god : {l.suiQian[b], l.jiangQian[b]})
                        if (!god.empty())
                            CHECK(drawnIn(b, Q(god), l.kind, false), qPrintable(where + Q(god)));
                    items += 1;
                }
                for (const MovingStar& s : l.stars) {
                    CHECK(drawnIn(s.cell, Q(s.name), l.kind, false),
                          qPrintable(where + layer + Q(s.name)));
                    ++items;
                }
                static constexpr std::array<std::string_view, 4> kMarks = {"禄", "权", "科", "忌"};
                for (const Transformation& t : l.transformations) {
                    if (t.cell == kNoCell) continue;
                    const QString mark = Q(kMarks[static_cast<std::size_t>(t.mark)]);
                    const int palace = CellOfBranch(t.cell);
                    const std::optional<QRectF> star = StarBox(texts, palace, t.star);
                    if (!star) {  // a star its crowded cell could not show
                        CHECK(drawnIn(t.cell, Q(t.star) + mark, l.kind, false),
                              qPrintable(where + Q(t.star)));
                        continue;
                    }
                    // In the star's column, below it, and in layer order.
                    const DrawnText* m = nullptr;
                    for (const DrawnText& d : texts)
                        if (d.kind == DrawnText::Kind::kLayer && d.mark && d.layer == l.kind &&
                            d.palace == palace && d.text == mark &&
                            std::abs(d.box.left() - star->left()) < 0.5)
                            m = &d;
                    CHECK(m != nullptr, qPrintable(where + layer + Q(t.star) + mark));
                    QVERIFY(m->box.top() >= star->bottom());
                    QVERIFY(Within(m->box, picture.CellRect(palace)));
                    for (const DrawnText& d : texts)  // an earlier layer's mark stands higher
                        if (d.mark && d.palace == palace && d.layer < l.kind &&
                            std::abs(d.box.left() - m->box.left()) < 0.5)
                            QVERIFY(d.box.top() < m->box.top());
                    ++items;
                }
            }
            QVERIFY(items >= 12 * static_cast<int>(layers.size()));

            // The SVG file: one <text> per drawn text, at its place.
            if (i % 8 == 0) {
                const QByteArray svg =
                    EncodeChart(picture.WithResolvedFont(), QString(), ChartFileFormat::Svg, 1.0);
                std::vector<SvgText> inFile = SvgTexts(svg);
                std::vector<SvgText> drawn;
                const int ascent = QFontMetrics(DialogFont()).ascent();
                for (const DrawnText& t : texts)
                    drawn.push_back(
                        {t.text.trimmed(), qRound(t.box.left()), qRound(t.box.top()) + ascent});
                for (SvgText& s : inFile) s.text = s.text.trimmed();
                std::sort(inFile.begin(), inFile.end());
                std::sort(drawn.begin(), drawn.end());
                if (inFile != drawn) {
                    std::vector<SvgText> onlyFile, onlyDrawn;
                    std::set_difference(inFile.begin(), inFile.end(), drawn.begin(), drawn.end(),
                                        std::back_inserter(onlyFile));
                    std::set_difference(drawn.begin(), drawn.end(), inFile.begin(), inFile.end(),
                                        std::back_inserter(onlyDrawn));
                    for (const SvgText& t : onlyFile) qWarning() << "file" << t.text << t.x << t.y;
                    for (const SvgText& t : onlyDrawn)
                        qWarning() << "drawn" << t.text << t.x << t.y;
                }
                CHECK(inFile == drawn, qPrintable(where));
            }
            ++checked;
        }
    }
    QCOMPARE(checked, 1000);
}

void ChartPictureTest::relationsCrossNoText() {
    LunarCalendar calendar;
    for (std::size_t i = 0; i < m_pairs.size(); i += 10) {
        const Pair& pair = m_pairs[i];
        const std::array<FlyingCell, 12> flying = FlyingTransformations(pair.cast.natal);
        const HoroscopeResult h = ComputeHoroscope(pair.cast.natal, pair.target, calendar);
        QVERIFY(h.ok());
        for (const bool periods : {false, true}) {
            ChartPicture picture = ChartPicture::OfGrid(pair.cast.grid);
            if (periods) picture.ShowPeriods(&h.horoscope, LayersAtDepth(4));
            for (Branch b = 0; b < 12; ++b) {
                picture.SetRelations(CellOfBranch(b), &flying[b]);
                std::vector<DrawnText> texts = picture.DrawnTexts();
                const RelationDrawing r = picture.Relations();
                const QString where = QStringLiteral("pair %1 cell %2").arg(i).arg(b);
                int self = 0;
                for (bool s : flying[b].self) self += s ? 1 : 0;
                QCOMPARE(static_cast<int>(r.arrows.size() + self), 4);
                QCOMPARE(static_cast<int>(r.labels.size()), 4);
                for (const DrawnText& t : texts) {
                    if (t.kind == DrawnText::Kind::kRelation) continue;
                    for (const RelationDrawing::Arrow& a : r.arrows) {
                        CHECK(!PolylineCrosses(a.line, t.box, 0.75),
                              qPrintable(where + " arrow over " + t.text));
                        CHECK(!a.head.boundingRect().intersects(t.box),
                              qPrintable(where + " head over " + t.text));
                    }
                    for (const DrawnText& l : r.labels)
                        CHECK(!l.box.intersects(t.box),
                              qPrintable(where + " label " + l.text + " over " + t.text));
                }
            }
        }
    }
}

// qelvar-cli render writes the same SVG file as the picture made here.
void ChartPictureTest::renderDrawsThePicture() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.svg"));
    QProcess cli;
    cli.start(QStringLiteral(QELVAR_BIN_DIR "/qelvar-cli"),
              {"render", "2000-02-05", "--hour", "午", "--minute", "0", "--today", "2026-12-07",
               "--at", "2026-12-07", "--at-hour", "午", "--select", "戌", "--output", path});
    QVERIFY(cli.waitForFinished(20000));
    QCOMPARE(cli.exitCode(), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Cast cast = CastBirth(2000, 2, 5, 6, 0);
    LunarCalendar calendar;
    const HoroscopeResult h = ComputeHoroscope(cast.natal, {2026, 12, 7, 6}, calendar);
    ChartPicture picture = ChartPicture::OfGrid(cast.grid);
    picture.ShowPeriods(&h.horoscope, LayersAtDepth(4));
    const std::array<FlyingCell, 12> flying = FlyingTransformations(cast.natal);
    picture.SetRelations(CellOfBranch(10), &flying[10]);
    QVERIFY(SvgTexts(file.readAll()) ==
            SvgTexts(EncodeChart(picture, QString(), ChartFileFormat::Svg, 1.0)));
}

// Contrast ratio of two colours by their relative luminance (WCAG 2).
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The 清晰 colours: every text 3:1 or more against what it stands on, with
// every layer shown; the window's own colours have texts below it (纳音 cyan
// is 1.25:1), and the layer colours are above it in both.
void ChartPictureTest::clearPaletteRaisesEveryText() {
    LunarCalendar calendar;
    for (std::size_t i = 0; i < m_pairs.size(); i += 40) {
        const Pair& pair = m_pairs[i];
        const HoroscopeResult h = ComputeHoroscope(pair.cast.natal, pair.target, calendar);
        ChartPicture picture = ChartPicture::OfGrid(pair.cast.grid);
        picture.ShowPeriods(&h.horoscope, LayersAtDepth(4));
        double lowest = 21;
        for (const DrawnText& t : picture.DrawnTexts()) {
            lowest = std::min(lowest, Contrast(t.colour, t.background));
            if (t.kind == DrawnText::Kind::kLayer)
                CHECK(Contrast(t.colour, t.background) >= 3, t.text);
        }
        QVERIFY(lowest < 1.5);
        picture.SetPalette(ChartPalette::kClear);
        for (const DrawnText& t : picture.DrawnTexts())
            CHECK(Contrast(t.colour, t.background) >= 3, t.text);
    }
}

QTEST_MAIN(ChartPictureTest)
#include "tst_chartpicture.moc"
