#pragma once
// The Gregorian date picker: a QDateEdit with its calendar drop-down whose
// keyboard is the one both pickers share (PickerTyping): a date typed as
// people write it ("1988/6/15", "1988-06-15", "1988.6.15", "19880615")
// after a click, Tab or Ctrl+A, refused in place with the reason when it is
// no date.  Arrow keys, the wheel and the calendar stay QDateEdit's.
//
// One QDateTimeEdit habit is undone here: with the drop-down, its hit test
// names the parts of a combo box, and the frame (the border around the
// text) carries the same number as a spin box's up button, so a click on
// the border stepped the year.

#include <QDateEdit>

namespace qelvar {

class PickerTyping;

class GregorianDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit GregorianDateEdit(QWidget* parent = nullptr);

    // The note under the picker saying why a date was refused; an empty
    // reason hides it.
    void ShowRefusal(const QString& reason);
    QString Refusal() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool OnArrow(const QPoint& pos) const;

    PickerTyping* m_typing = nullptr;
};

}  // namespace qelvar
