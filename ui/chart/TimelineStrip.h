#pragma once
// The strip under the chart: the rows of a Timeline (decades, years,
// months, days, double-hours) as equal cells, the selected one filled in
// its layer's colour.  A click reports the row and item.

#include <QWidget>
#include <array>
#include <vector>

#include "periods/Timeline.h"

namespace qelvar {

class TimelineStrip : public QWidget {
    Q_OBJECT
public:
    explicit TimelineStrip(QWidget* parent);

    void SetRows(std::array<std::vector<TimelineItem>, kTimelineRowCount> rows);
    const std::vector<TimelineItem>& Items(TimelineRow row) const {
        return m_rows[static_cast<int>(row)];
    }
    // Where item `index` of `row` is drawn; empty when there is none.
    QRect ItemRect(TimelineRow row, int index) const;

    // The strip's text at `scale` times the dialog font.
    void SetScale(double scale);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void ItemClicked(TimelineRow row, int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int LineHeight() const;
    QRect RowRect(int row) const;

    std::array<std::vector<TimelineItem>, kTimelineRowCount> m_rows;
    int m_basePixels = 0;
};

}  // namespace qelvar
