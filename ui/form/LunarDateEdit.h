#pragma once
// The lunar date picker: a year / month / day editor shaped like the
// Gregorian QDateEdit with its drop-down (same frame and arrow button, same
// "yyyy/M/d" text; arrow keys and wheel act on the section under the cursor;
// typing is the keyboard both pickers share, PickerTyping; the arrow,
// Alt+Down or F4 drop down the days of the month), but
// its day runs 1..30 in every month, so every lunar date (2-29 and 2-30
// included) can be held.  The leap flag is the form's 闰月 box; the picker
// keeps a copy so that its drop-down opens on the leap month and can choose
// one.

#include <QAbstractSpinBox>
#include <QStyleOptionComboBox>

namespace qelvar {

struct LunarPickerValue {
    int year = 2000;
    int month = 1;
    int day = 1;
    friend bool operator==(const LunarPickerValue&, const LunarPickerValue&) = default;
};

class PickerTyping;

class LunarDateEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    enum Section { kYear = 0, kMonth = 1, kDay = 2 };

    explicit LunarDateEdit(QWidget* parent = nullptr);

    LunarPickerValue value() const { return m_value; }
    // Emits valueChanged when the value differs (as QDateEdit::setDate does).
    void setValue(LunarPickerValue value);
    // Whether the value is in the leap month; set without valueChanged, as
    // the form mirrors its 闰月 box.  A day chosen in the drop-down sets it.
    bool leap() const { return m_leap; }

public slots:
    void setLeap(bool leap) { m_leap = leap; }

public:
    // The note under the picker saying why a date was refused; an empty
    // reason hides it.
    void ShowRefusal(const QString& reason);
    QString Refusal() const;

    Section currentSection() const;
    void setCurrentSection(Section section);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    void valueChanged();

protected:
    StepEnabled stepEnabled() const override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QSize sizeHint() const override;

private:
    void OnTextEdited(const QString& text);
    void ShowValue();
    void SelectSection(Section section);
    void ShowPopup();
    void ChooseDay(LunarPickerValue value, bool leap);
    QStyleOptionComboBox ComboOption() const;

    LunarPickerValue m_value;
    bool m_leap = false;
    PickerTyping* m_typing = nullptr;
};

}  // namespace qelvar
