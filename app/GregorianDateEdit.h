#pragma once
// The Gregorian date picker: a QDateEdit with its calendar drop-down that
// changes its date only when a section is typed in, an arrow key or the
// wheel is used, or a day is chosen in the calendar.
//
// Two QDateTimeEdit habits are undone here.  With the drop-down, its hit
// test names the parts of a combo box, and the frame (the border around
// the text) carries the same number as a spin box's up button, so a click
// on the border stepped the year.  And after the last digit a section can
// take, the picker moves on to the next section by itself, so the separator
// typed next skipped a second section: 2000/2/5 became 2000/12/25.

#include <QDateEdit>

namespace qelvar {

class GregorianDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit GregorianDateEdit(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool OnArrow(const QPoint& pos) const;

    // The last key filled a section and the picker moved on by itself.
    bool m_movedOn = false;
};

}  // namespace qelvar
