#pragma once
// CZiWeiDlg: the chart window (template 130, "斗数排盘").  Construction
// casts the chart from the birth data; the window shows it as one scalable
// drawing, with a tool bar to keep it (save, print, copy) and a timeline
// strip that lays the period layers over it.  A left click on a cell shows
// its 三方四正 and 飞化; the right button opens the capture window; Enter
// and the close box close it, as does Esc when nothing is selected.

#include <QDialog>
#include <QFont>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

#include "birth/BirthData.h"
#include "calendar/LunarCalendar.h"
#include "chart/ChartColours.h"
#include "chart/ChartGrid.h"
#include "chart/ChartLayout.h"
#include "layout/DialogUnits.h"
#include "periods/ChartCast.h"
#include "periods/Periods.h"
#include "periods/Timeline.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/ChartPicture.h"

class QAction;
class QLineEdit;
class QScrollArea;
class QToolBar;

namespace qelvar {

class ChartCanvas;
class TimelineStrip;

class CZiWeiDlg : public QDialog {
    Q_OBJECT
public:
    // Casts the chart of `birth` once under the conventions and shows it,
    // with its periods from `today` on.
    CZiWeiDlg(const BirthData& birth, std::chrono::year_month_day today, QWidget* parent = nullptr,
              const ChartConventions& conventions = {});
    // The window of a cast, with its periods from `today` on.
    CZiWeiDlg(const ChartCast& cast, std::chrono::year_month_day today, QWidget* parent = nullptr);
    // The natal chart of a cast grid alone, without periods.
    explicit CZiWeiDlg(const ChartGrid& grid, QWidget* parent = nullptr);
    ~CZiWeiDlg() override;

    // The text of slot `id` after the cast; "" for an identifier that is no slot.
    QString SlotText(int id) const { return m_picture->SlotText(id); }
    // The rectangle of slot `id` in chart pixels at zoom 1; empty for no slot.
    QRect SlotRect(int id) const;
    // The attributes slot `id` is painted with.
    TextAttributes SlotAttributes(int id) const {
        return ColourControl(id, SlotText(id).toStdString());
    }
    DialogBaseUnits BaseUnits() const { return m_picture->BaseUnits(); }
    // Chart pixels at zoom 1 of a dialog-unit rectangle.
    QRect ToWindow(const DuRect& r) const { return m_picture->ToPixels(r); }

    // The chart as the window shows it now (the canvas, without bars).
    QImage ChartWindowImage();
    ChartCanvas* Canvas() const { return m_canvas; }
    TimelineStrip* Strip() const { return m_strip; }
    const ChartPicture& Picture() const { return *m_picture; }
    // Null for a window without birth data.
    const Timeline* TimelineModel() const { return m_timeline.get(); }
    const std::optional<Horoscope>& CurrentHoroscope() const { return m_horoscope; }
    std::optional<int> SelectedPalace() const { return m_selected; }

    double Zoom() const { return m_zoom; }
    // Sets the zoom step and fits the window to it (unless maximised).
    void SetZoom(double zoom);
    // The caption of a saved or printed chart.
    QString Caption() const;
    // The conventions the chart is cast under.
    const ChartConventions& Conventions() const { return m_conventions; }
    // Casts the birth again under other conventions (the 设置 dialog's
    // choices) and draws it; false (and nothing changes) for a window
    // without birth data.
    bool Recast(const ChartConventions& conventions);
    // The palette, the zoom chart windows open at and the conventions of
    // the settings file, applied to this window.
    void ApplySettings();
    // The window's title: `base` ("斗数排盘", "张三 - 斗数排盘"), then the
    // conventions that are not the defaults.
    void SetTitle(const QString& base);
    // The tool bar's 存入命例库: `save` keeps the chart's birth under the
    // chart's conventions.
    void SetSaveToLibrary(std::function<void(CZiWeiDlg&)> save);
    // How the birth's clock time and place were read ("出生地 成都  北京时间 07:30
    // → …"), added to the caption; empty for a birth given by its lists.
    void SetMomentText(std::string text) { m_momentText = std::move(text); }
    ChartSaveResult Save(const QString& path, double scale = 1.0);
    // The chart as text (the command line's text format) with the periods
    // shown.
    QString ChartText() const;
    QScrollArea* ScrollArea() const { return m_scroll; }

    // What the view shows, remembered between runs.
    void SetLayerShown(LayerKind layer, bool shown);
    void SetClearPalette(bool clear);
    void SetAdjectiveStars(bool shown);
    // "2026-03-10 午", "农历2026-1-22 午", "农历2023-闰2-5 3": every layer down to
    // the double-hour; false (and nothing changes) when it cannot be read or
    // lies outside the chart's range.
    bool GoToDate(const QString& text);

    // 设置 applied to every open chart window: each cast again under the
    // settings' conventions and drawn with their palette and zoom.
    static void ApplySettingsToOpenCharts();
    // The tool bar's 命例库 opens the library window through this (set once
    // by the program; null leaves the button without effect).
    static void SetLibraryOpener(std::function<void(QWidget*)> opener);

public slots:
    // Right button: opens the capture window over the chart.
    void OpenCapture();
    void SelectPalace(std::optional<int> palace);
    void SaveAs();
    void Print();
    void CopyImage();
    void CopyText();
    void ShowHelp();
    void ShowSettings();  // 设置...

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Build(const ChartGrid& grid);
    void BuildToolBar();
    void BuildViewMenu();
    void ApplyViewSettings();
    void TimelineChanged();
    double OpeningZoomForScreen() const;
    double ShownZoom() const;

    void Cast(const ChartCast& cast);
    void UpdateTitle();

    std::optional<BirthData> m_birth;   // as charted under m_conventions
    std::optional<BirthData> m_source;  // as built, cast again under other conventions
    ChartConventions m_conventions;
    std::chrono::year_month_day m_today{};
    QString m_title;
    std::function<void(CZiWeiDlg&)> m_save;
    QAction* m_saveAction = nullptr;
    std::string m_momentText;  // for the caption
    std::unique_ptr<ChartPicture> m_picture;
    LunarCalendar m_calendar;
    NatalChart m_natal;
    std::array<FlyingCell, 12> m_flying{};
    std::unique_ptr<Timeline> m_timeline;
    std::optional<Horoscope> m_horoscope;
    std::optional<int> m_selected;
    QToolBar* m_toolBar = nullptr;
    ChartCanvas* m_canvas = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLineEdit* m_goTo = nullptr;
    std::array<bool, 6> m_layerShown{true, true, true, true, true, true};
    ChartGrid m_grid;
    std::optional<Chart> m_chart;  // the typed chart, when the window cast it
    TimelineStrip* m_strip = nullptr;
    double m_zoom = 1;
};

}  // namespace qelvar
