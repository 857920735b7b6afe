#include "chart/ZiWeiDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/DialogFont.h"
#include "capture/CatchScreenDlg.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartCaption.h"
#include "chart/ChartView.h"
#include "chart/TimelineStrip.h"

namespace qelvar {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

}  // namespace

CZiWeiDlg::CZiWeiDlg(const BirthData& birth, std::chrono::year_month_day today, QWidget* parent,
                     const ChartConventions& conventions)
    : CZiWeiDlg(CastFor(birth, conventions, today), today, parent) {}

CZiWeiDlg::CZiWeiDlg(const ChartGrid& grid, QWidget* parent) : QDialog(parent) {
    Build(grid);
}

CZiWeiDlg::CZiWeiDlg(const ChartCast& cast, std::chrono::year_month_day today, QWidget* parent)
    : QDialog(parent), m_birth(cast.birth) {
    m_natal = cast.natal;
    m_flying = FlyingTransformations(m_natal);
    m_timeline = std::make_unique<Timeline>(m_natal, m_calendar, ToSolar(today));
    Build(ChartGrid::Of(cast.chart));
}

void CZiWeiDlg::Build(const ChartGrid& grid) {
    std::unordered_map<int, QString> texts;
    for (const int id : ChartGrid::SlotIds()) {
        texts.emplace(id, QString::fromStdString(grid.GetSlotText(id)));
        m_natalTexts.emplace(id, grid.GetSlotText(id));
    }
    const QFont font = DialogFont();
    m_picture = std::make_unique<ChartPicture>(std::move(texts), font);

    setFont(font);
    setWindowTitle(Text(kChartCaption));
    setWindowIcon(AppIcon());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar();
    m_canvas = new ChartCanvas(*m_picture, this);
    m_strip = new TimelineStrip(this);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_canvas, 1);
    layout->addWidget(m_strip);
    m_strip->setVisible(m_timeline != nullptr);
    connect(m_canvas, &ChartCanvas::RightClicked, this, &CZiWeiDlg::OpenCapture);
    connect(m_canvas, &ChartCanvas::CellClicked, this, &CZiWeiDlg::SelectPalace);
    connect(m_canvas, &ChartCanvas::ZoomWheel, this,
            [this](int direction) { SetZoom(NextZoom(ShownZoom(), direction)); });
    connect(m_strip, &TimelineStrip::ItemClicked, this, [this](TimelineRow row, int index) {
        if (m_timeline && m_timeline->Select(row, index)) TimelineChanged();
    });
    TimelineChanged();
    SetZoom(OpeningZoomForScreen());
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
    add(QStringLiteral("保存…"), {QKeySequence::Save}, &CZiWeiDlg::SaveAs);
    add(QStringLiteral("打印…"), {QKeySequence::Print}, &CZiWeiDlg::Print);
    add(QStringLiteral("复制"), {QKeySequence::Copy}, &CZiWeiDlg::CopyImage);
    m_toolBar->addSeparator();
    add(QStringLiteral("放大"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        [this] { SetZoom(NextZoom(ShownZoom(), 1)); });
    add(QStringLiteral("缩小"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        [this] { SetZoom(NextZoom(ShownZoom(), -1)); });
    add(QStringLiteral("原大"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { SetZoom(1.0); });
    for (QToolButton* button : m_toolBar->findChildren<QToolButton*>()) {
        button->setFocusPolicy(Qt::NoFocus);
    }
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

void CZiWeiDlg::SetZoom(double zoom) {
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    m_canvas->SetPreferredZoom(m_zoom);
    if (isMaximized() || isFullScreen()) return;
    layout()->activate();
    resize(sizeHint());
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
    PeriodOverlay overlay;
    if (const std::optional<HoroscopeRequest> request = m_timeline->Request()) {
        HoroscopeResult result = ComputeHoroscope(m_natal, *request, m_calendar);
        if (result.ok()) {
            m_horoscope = std::move(result.horoscope);
            const std::vector<LayerKind> shown = m_timeline->ShownLayers();
            overlay = LayOutPeriodOverlay(*m_horoscope, shown, [this](int id) {
                const auto it = m_natalTexts.find(id);
                return it == m_natalTexts.end() ? std::string_view() : std::string_view(it->second);
            });
        }
    }
    m_picture->SetOverlay(std::move(overlay));
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
    return m_birth ? QString::fromStdString(ChartCaption(*m_birth, {}, m_momentText)) : QString();
}

ChartSaveResult CZiWeiDlg::Save(const QString& path, double scale) {
    return SaveChart(*m_picture, Caption(), path, FormatOfPath(path), scale);
}

void CZiWeiDlg::SaveAs() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString name =
        QStringLiteral("命盘-%1.png")
            .arg(m_birth
                     ? QString::fromStdString(m_birth->g_strSolarYear + "-" +
                                              m_birth->g_strSolarMonth + "-" +
                                              m_birth->g_strSolarDay)
                     : QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("保存命盘"), QDir(folder).filePath(name),
        QStringLiteral("PNG 图像 (*.png);;SVG 矢量图 (*.svg);;PDF 文档 (*.pdf)"), &filter);
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
            QInputDialog::getItem(this, QStringLiteral("PNG 图像"), QStringLiteral("放大倍数："),
                                  {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2"),
                                   QStringLiteral("3"), QStringLiteral("4")},
                                  2, false, &ok);
        if (!ok) return;
        scale = chosen.toDouble();
    }
    const ChartSaveResult result = Save(path, scale);
    if (!result.ok) {
        QMessageBox::warning(this, QStringLiteral("保存失败"),
                             QStringLiteral("无法保存 %1：%2").arg(path, result.message));
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
