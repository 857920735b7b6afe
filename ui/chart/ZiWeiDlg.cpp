#include "ui/chart/ZiWeiDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "chart/ChartCaption.h"
#include "chart/ChartView.h"
#include "cli/ChartText.h"
#include "cli/PeriodsOutput.h"
#include "ui/app/AppIcon.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/AppSettings.h"
#include "ui/app/DialogFont.h"
#include "ui/app/SettingsDlg.h"
#include "ui/capture/CatchScreenDlg.h"
#include "ui/chart/ChartCanvas.h"
#include "ui/chart/TimelineStrip.h"

namespace qelvar {

namespace {

SolarDate ToSolar(std::chrono::year_month_day d) {
    return {static_cast<std::uint16_t>(static_cast<int>(d.year())),
            static_cast<std::uint16_t>(static_cast<unsigned>(d.month())),
            static_cast<std::uint16_t>(static_cast<unsigned>(d.day()))};
}

std::optional<TimelineKey> KeyStep(int key) {
    switch (key) {
        case Qt::Key_Left:
            return TimelineKey::YearBack;
        case Qt::Key_Right:
            return TimelineKey::YearOn;
        case Qt::Key_Up:
            return TimelineKey::DecadeBack;
        case Qt::Key_Down:
            return TimelineKey::DecadeOn;
        case Qt::Key_PageUp:
            return TimelineKey::MonthBack;
        case Qt::Key_PageDown:
            return TimelineKey::MonthOn;
        case Qt::Key_Home:
            return TimelineKey::Natal;
        default:
            return std::nullopt;
    }
}

// The cast under the conventions; under the defaults when the day they
// count leaves the calendar.
ChartCast CastFor(const BirthData& birth, const ChartConventions& conventions,
                  std::chrono::year_month_day today) {
    ChartCast cast = CastChart(birth, conventions, today);
    return cast.ok() ? cast : CastChart(birth, {}, today);
}

// The strip's text grows with the zoom beyond the opening zoom of a
// 1080-line screen.
double StripScale(double zoom) {
    return std::clamp(zoom / 1.5, 1.0, 3.0);
}

QSettings& ViewSettings() {
    return AppSettings();
}

std::function<void(QWidget*)>& LibraryOpener() {
    static std::function<void(QWidget*)> opener;
    return opener;
}

constexpr std::array<LayerKind, 6> kLayers = {LayerKind::Decade, LayerKind::Minor, LayerKind::Year,
                                              LayerKind::Month,  LayerKind::Day,   LayerKind::Hour};

}  // namespace

CZiWeiDlg::CZiWeiDlg(const BirthData& birth, std::chrono::year_month_day today, QWidget* parent,
                     const ChartConventions& conventions)
    : CZiWeiDlg(CastFor(birth, conventions, today), today, parent) {
    m_source = birth;
}

CZiWeiDlg::CZiWeiDlg(const ChartGrid& grid, QWidget* parent) : QDialog(parent) {
    Build(grid);
}

CZiWeiDlg::CZiWeiDlg(const ChartCast& cast, std::chrono::year_month_day today, QWidget* parent)
    : QDialog(parent), m_today(today) {
    Cast(cast);
    Build(m_grid);
}

// The window's state of a cast; the picture follows in Build or Recast.
void CZiWeiDlg::Cast(const ChartCast& cast) {
    m_birth = cast.birth;
    m_conventions = cast.conventions;
    m_chart = cast.chart;
    m_natal = cast.natal;
    m_flying = FlyingTransformations(m_natal);
    m_timeline = std::make_unique<Timeline>(m_natal, m_calendar, ToSolar(m_today));
    m_grid = ChartGrid::Of(cast.chart);
}

bool CZiWeiDlg::Recast(const ChartConventions& conventions) {
    if (!m_source) return false;
    Cast(CastFor(*m_source, conventions, m_today));
    const ChartPalette palette = m_picture->Palette();
    *m_picture = ChartPicture::OfGrid(m_grid);
    if (m_chart) m_picture->SetSmallLimitAges(*m_chart);
    m_picture->SetPalette(palette);
    m_picture->SetAdjectiveStars(
        ViewSettings().value(QStringLiteral("chart/adjectiveStars"), true).toBool());
    m_selected.reset();
    TimelineChanged();
    UpdateTitle();
    m_canvas->updateGeometry();
    m_canvas->update();
    return true;
}

void CZiWeiDlg::ApplySettings() {
    m_picture->SetPalette(LoadClearPalette() ? ChartPalette::kClear : ChartPalette::kNatal);
    if (QAction* clear = findChild<QAction*>(QStringLiteral("clearPalette"))) {
        const QSignalBlocker block(clear);
        clear->setChecked(LoadClearPalette());
    }
    if (!Recast(LoadConventions())) m_canvas->update();
    const double zoom = LoadChartZoom();
    SetZoom(zoom > 0 ? zoom : OpeningZoomForScreen());
}

void CZiWeiDlg::ApplySettingsToOpenCharts() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* chart = qobject_cast<CZiWeiDlg*>(w)) chart->ApplySettings();
}

void CZiWeiDlg::SetLibraryOpener(std::function<void(QWidget*)> opener) {
    LibraryOpener() = std::move(opener);
}

void CZiWeiDlg::SetTitle(const QString& base) {
    m_title = base;
    UpdateTitle();
}

void CZiWeiDlg::UpdateTitle() {
    const std::string rules = ConventionsCaption(m_conventions);
    setWindowTitle(m_title + (rules.empty() ? QString() : QStringLiteral(" -") + Localized(rules)));
}

void CZiWeiDlg::SetSaveToLibrary(std::function<void(CZiWeiDlg&)> save) {
    m_save = std::move(save);
    if (m_saveAction) m_saveAction->setEnabled(m_save != nullptr);
}

void CZiWeiDlg::ShowSettings() {
    SettingsDlg settings(this);
    settings.exec();
}

void CZiWeiDlg::Build(const ChartGrid& grid) {
    m_grid = grid;
    m_picture = std::make_unique<ChartPicture>(ChartPicture::OfGrid(grid));
    if (m_chart) m_picture->SetSmallLimitAges(*m_chart);
    const QFont font = DialogFont();

    setFont(font);
    SetTitle(CoreText(kChartCaption));
    setWindowIcon(AppIcon());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_canvas = new ChartCanvas(*m_picture, this);
    m_strip = new TimelineStrip(this);
    BuildToolBar();
    // Zoomed beyond the screen, the chart scrolls inside the window.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(m_canvas);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_strip);
    ApplyViewSettings();
    m_strip->setVisible(m_timeline != nullptr);
    connect(m_canvas, &ChartCanvas::RightClicked, this, &CZiWeiDlg::OpenCapture);
    connect(m_canvas, &ChartCanvas::CellClicked, this, &CZiWeiDlg::SelectPalace);
    connect(m_canvas, &ChartCanvas::ZoomWheel, this,
            [this](int direction) { SetZoom(NextZoom(ShownZoom(), direction)); });
    connect(m_strip, &TimelineStrip::ItemClicked, this, [this](TimelineRow row, int index) {
        if (m_timeline && m_timeline->Select(row, index)) TimelineChanged();
    });
    TimelineChanged();
    const double zoom = LoadChartZoom();
    SetZoom(zoom > 0 ? zoom : OpeningZoomForScreen());
}

CZiWeiDlg::~CZiWeiDlg() = default;

void CZiWeiDlg::BuildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setMovable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { padding: 0; spacing: 0; }"));
    auto add = [this](const QString& text, const QList<QKeySequence>& keys, auto slot) {
        QAction* action = m_toolBar->addAction(text);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(keys.isEmpty() ? text
                                          : text + QStringLiteral(" (") +
                                                keys.front().toString(QKeySequence::NativeText) +
                                                QLatin1Char(')'));
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    add(tr("保存…"), {QKeySequence::Save}, &CZiWeiDlg::SaveAs);
    add(tr("打印…"), {QKeySequence::Print}, &CZiWeiDlg::Print);
    add(tr("复制"), {QKeySequence::Copy}, &CZiWeiDlg::CopyImage);
    m_toolBar->addSeparator();
    add(tr("放大"), {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        [this] { SetZoom(NextZoom(ShownZoom(), 1)); });
    add(tr("缩小"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        [this] { SetZoom(NextZoom(ShownZoom(), -1)); });
    add(tr("原大"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { SetZoom(1.0); });
    add(tr("复制文字"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, &CZiWeiDlg::CopyText);
    BuildViewMenu();
    add(tr("帮助"), {QKeySequence::HelpContents}, &CZiWeiDlg::ShowHelp);
    if (m_timeline) {
        // The library from any chart window.
        m_toolBar->addSeparator();
        add(tr("命例库"), {}, [this] {
            if (LibraryOpener()) LibraryOpener()(this);
        });
        m_toolBar->actions().back()->setObjectName(QStringLiteral("openLibrary"));
        add(tr("存入命例库"), {}, [this] {
            if (m_save) m_save(*this);
        });
        m_saveAction = m_toolBar->actions().back();
        m_saveAction->setObjectName(QStringLiteral("saveToLibrary"));
        m_saveAction->setEnabled(false);
    }
    if (m_timeline) {
        m_toolBar->addSeparator();
        m_goTo = new QLineEdit(m_toolBar);
        m_goTo->setPlaceholderText(tr("转到 2026-03-10 午"));
        m_goTo->setToolTip(
            tr("转到某日某时：公历“2026-03-10 午”，或农历“农历2026-1-22 午”（闰月写“闰2”）；"
               "时辰可写子…亥或0…11，省略为子时"));
        m_goTo->setMaximumWidth(fontMetrics().horizontalAdvance(tr("转到 2026-03-10 午午")));
        connect(m_goTo, &QLineEdit::returnPressed, this, [this] {
            if (GoToDate(m_goTo->text())) {
                setFocus();
                return;
            }
            QMessageBox::warning(this, tr("转到"),
                                 tr("无法转到“%1”：请写“2026-03-10 午”或“农历2026-1-22 "
                                    "午”，日期须在本命盘的年限与历表范围（至2051年2月10日）之内。")
                                     .arg(m_goTo->text()));
        });
        m_toolBar->addWidget(m_goTo);
    }
    for (QToolButton* button : m_toolBar->findChildren<QToolButton*>()) {
        button->setFocusPolicy(Qt::NoFocus);
    }
}

// 视图: the 清晰 colours, the adjective stars and which layers show, each
// remembered between runs.
void CZiWeiDlg::BuildViewMenu() {
    auto* menu = new QMenu(this);
    QSettings& settings = ViewSettings();
    QAction* clear = menu->addAction(tr("清晰配色"));
    clear->setObjectName(QStringLiteral("clearPalette"));
    clear->setCheckable(true);
    clear->setChecked(settings.value(QStringLiteral("chart/clearPalette"), false).toBool());
    connect(clear, &QAction::toggled, this, &CZiWeiDlg::SetClearPalette);
    QAction* adjectives = menu->addAction(tr("显示杂曜"));
    adjectives->setCheckable(true);
    adjectives->setChecked(settings.value(QStringLiteral("chart/adjectiveStars"), true).toBool());
    connect(adjectives, &QAction::toggled, this, &CZiWeiDlg::SetAdjectiveStars);
    menu->addSeparator();
    for (const LayerKind kind : kLayers) {
        QAction* layer = menu->addAction(Localized(LayerName(kind)));
        layer->setCheckable(true);
        const QString key = QStringLiteral("chart/layer%1").arg(static_cast<int>(kind));
        layer->setChecked(settings.value(key, true).toBool());
        connect(layer, &QAction::toggled, this,
                [this, kind](bool shown) { SetLayerShown(kind, shown); });
    }
    if (m_timeline) {
        // 设置 from the chart window too (the form waits behind it).
        menu->addSeparator();
        QAction* dialog = menu->addAction(tr("设置…"));
        dialog->setObjectName(QStringLiteral("settings"));
        connect(dialog, &QAction::triggered, this, &CZiWeiDlg::ShowSettings);
    }
    auto* button = new QToolButton(m_toolBar);
    button->setText(tr("视图"));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    m_toolBar->addWidget(button);
}

void CZiWeiDlg::ApplyViewSettings() {
    QSettings& settings = ViewSettings();
    m_picture->SetPalette(settings.value(QStringLiteral("chart/clearPalette"), false).toBool()
                              ? ChartPalette::kClear
                              : ChartPalette::kNatal);
    m_picture->SetAdjectiveStars(
        settings.value(QStringLiteral("chart/adjectiveStars"), true).toBool());
    for (const LayerKind kind : kLayers) {
        const QString key = QStringLiteral("chart/layer%1").arg(static_cast<int>(kind));
        m_layerShown[static_cast<std::size_t>(kind)] = settings.value(key, true).toBool();
    }
}

void CZiWeiDlg::SetLayerShown(LayerKind layer, bool shown) {
    m_layerShown[static_cast<std::size_t>(layer)] = shown;
    ViewSettings().setValue(QStringLiteral("chart/layer%1").arg(static_cast<int>(layer)), shown);
    TimelineChanged();
}

void CZiWeiDlg::SetClearPalette(bool clear) {
    SaveClearPalette(clear);
    m_picture->SetPalette(clear ? ChartPalette::kClear : ChartPalette::kNatal);
    m_canvas->update();
}

void CZiWeiDlg::SetAdjectiveStars(bool shown) {
    ViewSettings().setValue(QStringLiteral("chart/adjectiveStars"), shown);
    m_picture->SetAdjectiveStars(shown);
    TimelineChanged();
    m_canvas->update();
}

bool CZiWeiDlg::GoToDate(const QString& text) {
    if (!m_timeline) return false;
    static const QRegularExpression pattern(QStringLiteral(
        R"re(^\s*(农历|農曆)?\s*(\d{4})-(闰|閏)?(\d{1,2})-(\d{1,2})\s*([子丑寅卯辰巳午未申酉戌亥]|\d{1,2})?\s*$)re"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return false;
    const auto y = static_cast<std::uint16_t>(m.captured(2).toInt());
    const auto mo = static_cast<std::uint16_t>(m.captured(4).toInt());
    const auto d = static_cast<std::uint16_t>(m.captured(5).toInt());
    std::optional<SolarDate> day;
    if (!m.captured(1).isEmpty()) {
        day = m_calendar.LunarToSolar(
            {y, mo, d, static_cast<std::uint8_t>(m.captured(3).isEmpty() ? 0 : 1)});
    } else if (m.captured(3).isEmpty()) {
        day = SolarDate{y, mo, d};
    }
    if (!day) return false;
    int hour = 0;
    if (const QString h = m.captured(6); !h.isEmpty()) {
        bool number = false;
        hour = h.toInt(&number);
        if (!number) hour = static_cast<int>(QStringLiteral("子丑寅卯辰巳午未申酉戌亥").indexOf(h));
    }
    if (!m_timeline->GoTo(*day, hour)) return false;
    TimelineChanged();
    return true;
}

double CZiWeiDlg::OpeningZoomForScreen() const {
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr) return 1.0;
    const int extra = m_toolBar->sizeHint().height() + m_strip->sizeHint().height();
    const QRect available = s->availableGeometry();
    // Upright screens: the width must fit too.
    return std::min(OpeningZoom(available.height(), m_picture->Size().height(), extra),
                    OpeningZoom(available.width(), m_picture->Size().width(), 0, 0.95));
}

// The window takes the size of the chart at the zoom, but never more than
// the screen's available area; beyond it the chart keeps the zoom and
// scrolls.  A window fitted to the zoom scales the chart with it when the
// user resizes it.
void CZiWeiDlg::SetZoom(double zoom) {
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    m_canvas->SetPreferredZoom(m_zoom);
    m_strip->SetScale(StripScale(m_zoom));
    const QSize chart = m_canvas->sizeHint();
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const QRect available = s != nullptr ? s->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    const QSize room = available.size() - frame;
    if (isMaximized() || isFullScreen()) {
        m_canvas->setMinimumSize(chart.width() > m_scroll->viewport()->width() ||
                                         chart.height() > m_scroll->viewport()->height()
                                     ? chart
                                     : QSize(0, 0));
        return;
    }
    const QSize want(chart.width(), m_toolBar->sizeHint().height() + chart.height() +
                                        m_strip->sizeHint().height());
    const bool fits = want.width() <= room.width() && want.height() <= room.height();
    m_canvas->setMinimumSize(fits ? QSize(0, 0) : chart);
    layout()->activate();
    resize(want.boundedTo(room));
    if (isVisible() && !available.contains(frameGeometry())) {
        QRect placed = frameGeometry();
        placed.moveLeft(
            std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1));
        placed.moveTop(
            std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
        move(placed.topLeft());
    }
}

// The scale the chart is drawn at now: after the user resized the window it
// lies between steps, and the zoom keys go on from there.
double CZiWeiDlg::ShownZoom() const {
    return m_canvas->isVisible() ? m_canvas->Placement().scale : m_zoom;
}

QRect CZiWeiDlg::SlotRect(int id) const {
    const std::optional<SlotPlace> place = FindSlotPlace(id);
    return place ? ToWindow(place->rect) : QRect();
}

QImage CZiWeiDlg::ChartWindowImage() {
    layout()->activate();
    return m_canvas->grab().toImage();
}

void CZiWeiDlg::TimelineChanged() {
    if (!m_timeline) return;
    std::array<std::vector<TimelineItem>, kTimelineRowCount> rows;
    for (int r = 0; r < kTimelineRowCount; ++r) rows[r] = m_timeline->Row(TimelineRow(r));
    m_strip->SetRows(std::move(rows));
    m_horoscope.reset();
    if (const std::optional<HoroscopeRequest> request = m_timeline->Request()) {
        HoroscopeResult result =
            ComputeHoroscope(m_natal, *request, m_calendar, m_conventions.leapMonth);
        if (result.ok()) m_horoscope = std::move(result.horoscope);
    }
    const std::vector<LayerKind> shown = m_timeline->ShownLayers();
    std::vector<LayerKind> kept;
    for (const LayerKind k : shown)
        if (m_layerShown[static_cast<std::size_t>(k)]) kept.push_back(k);
    m_picture->ShowPeriods(m_horoscope ? &*m_horoscope : nullptr, kept);
    m_canvas->updateGeometry();
    m_canvas->update();
}

void CZiWeiDlg::SelectPalace(std::optional<int> palace) {
    if (!palace || !m_timeline) return;
    m_selected = m_selected == palace ? std::nullopt : palace;
    m_picture->SetRelations(m_selected,
                            m_selected ? &m_flying[BranchOfCell(*m_selected)] : nullptr);
    m_canvas->update();
}

QString CZiWeiDlg::Caption() const {
    if (!m_birth) return {};
    std::string caption = ChartCaption(*m_birth, m_conventions, m_momentText);
    // The period shown, when there is one.
    if (m_horoscope) caption += "  运限：" + TargetText(*m_horoscope);
    return QString::fromStdString(caption);
}

ChartSaveResult CZiWeiDlg::Save(const QString& path, double scale) {
    return SaveChart(*m_picture, Caption(), path, FormatOfPath(path), scale);
}

void CZiWeiDlg::SaveAs() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString name =
        tr("命盘-%1.png")
            .arg(m_birth
                     ? QString::fromStdString(m_birth->g_strSolarYear + "-" +
                                              m_birth->g_strSolarMonth + "-" +
                                              m_birth->g_strSolarDay)
                     : QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, tr("保存命盘"), QDir(folder).filePath(name),
        tr("PNG 图像 (*.png);;SVG 矢量图 (*.svg);;PDF 文档 (*.pdf)"), &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += filter.contains(QLatin1String("svg"))   ? QStringLiteral(".svg")
                : filter.contains(QLatin1String("pdf")) ? QStringLiteral(".pdf")
                                                        : QStringLiteral(".png");
    }
    double scale = 1.0;
    if (FormatOfPath(path) == ChartFileFormat::Png) {
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(this, tr("PNG 图像"), tr("放大倍数："),
                                  {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2"),
                                   QStringLiteral("3"), QStringLiteral("4")},
                                  2, false, &ok);
        if (!ok) return;
        scale = chosen.toDouble();
    }
    const ChartSaveResult result = Save(path, scale);
    if (!result.ok) {
        QMessageBox::warning(this, tr("保存失败"), tr("无法保存 %1：%2").arg(path, result.message));
    }
}

void CZiWeiDlg::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QPainter painter(target);
        PaintChartPage(painter, *m_picture, Caption(), QRectF(painter.viewport()));
    });
    preview.exec();
}

void CZiWeiDlg::CopyImage() {
    const double scale = std::max(1.0, m_zoom * devicePixelRatioF());
    QGuiApplication::clipboard()->setImage(ChartImage(*m_picture, Caption(), scale));
}

QString CZiWeiDlg::ChartText() const {
    std::string out;
    if (m_chart) cli::AppendChartText(out, *m_chart, m_grid);
    if (m_horoscope) {
        // The layers the chart shows, in the command line's blocks.
        Horoscope shown = *m_horoscope;
        const std::vector<LayerKind> layers = m_timeline->ShownLayers();
        std::erase_if(shown.layers, [&](const PeriodLayer& l) {
            return std::find(layers.begin(), layers.end(), l.kind) == layers.end() ||
                   !m_layerShown[static_cast<std::size_t>(l.kind)];
        });
        cli::AppendPeriodsText(out, {}, &shown);
    }
    return QString::fromStdString(out);
}

void CZiWeiDlg::CopyText() {
    QGuiApplication::clipboard()->setText(ChartText());
}

void CZiWeiDlg::ShowHelp() {
    QMessageBox::information(
        this, tr("命盘窗口的按键与鼠标"),
        tr("按键\n"
           "  Ctrl+S 保存（PNG、SVG、PDF）  Ctrl+P 打印  Ctrl+C 复制图像  Ctrl+Shift+C 复制文字\n"
           "  Ctrl++ / Ctrl+= 放大  Ctrl+- 缩小  Ctrl+0 原大  F1 本帮助\n"
           "  ← / → 上一年 / 下一年（流年）  ↑ / ↓ 上一大限 / 下一大限\n"
           "  PageUp / PageDown 上一月 / 下一月（流月）  Home 回到本命盘\n"
           "  Esc 先取消所选宫位，再关闭窗口  Enter 关闭窗口\n"
           "鼠标\n"
           "  左键单击宫位：显示三方四正与飞化，再击取消\n"
           "  Ctrl+滚轮 缩放  中键拖动 在放大的命盘中移动  右键 截图\n"
           "时间条\n"
           "  单击大限、流年、流月、流日、时辰选择运限；悬停看干支、日期与说明\n"
           "  “转到”框：输入“2026-03-10 午”或“农历2026-1-22 午”后按回车\n"
           "视图菜单\n"
           "  清晰配色、显示杂曜、各运限层的显示与隐藏（均会记住）\n"
           "  设置…：排盘规则、流派的取法、配色与缩放，改后已打开的命盘随即重排\n"
           "工具栏\n"
           "  命例库：打开命例库  存入命例库：把这张命盘的出生资料存入命例库"));
}

void CZiWeiDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        // Maximised or restored: the strip follows the size the chart is shown at.
        QTimer::singleShot(0, this, [this] { m_strip->SetScale(StripScale(ShownZoom())); });
    }
}

void CZiWeiDlg::OpenCapture() {
    // Constructing the capture window grabs the screen while the chart shows.
    CCatchScreenDlg capture(nullptr);
    capture.exec();
}

void CZiWeiDlg::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return;
    }
    if (key == Qt::Key_Escape && m_selected) {
        SelectPalace(m_selected);  // the same cell again clears it
        return;
    }
    if (m_timeline && event->modifiers() == Qt::NoModifier) {
        if (const std::optional<TimelineKey> step = KeyStep(key)) {
            if (m_timeline->Step(*step)) TimelineChanged();
            return;
        }
    }
    QDialog::keyPressEvent(event);  // Esc rejects
}

// The right button anywhere else in the window (the tool bar, the strip)
// opens the capture window too.
void CZiWeiDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        OpenCapture();
        return;
    }
    QDialog::mousePressEvent(event);
}

}  // namespace qelvar
