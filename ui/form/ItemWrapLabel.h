#pragma once
// A label for a line of items ("夏令时 07:30 → 标准时 06:30 → 真太阳时 05:25
// （经度 −63.7 分，时差 −0.4 分）") that wraps only between items, never inside
// a value and its unit.  Items end before " → " and "（" and after "，", "；"
// and "："; an item wider than the label alone is broken between characters.
// text() is the line as set; only the drawing is broken into lines.

#include <QLabel>
#include <QStringList>

class QFontMetrics;

namespace qelvar {

// The lines `text` is drawn in, each at most `width` pixels wide in `metrics`.
QStringList WrapBetweenItems(const QString& text, const QFontMetrics& metrics, int width);

class ItemWrapLabel : public QLabel {
    Q_OBJECT
public:
    explicit ItemWrapLabel(QWidget* parent = nullptr);

    QStringList Lines() const;  // as drawn at the label's width
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qelvar
