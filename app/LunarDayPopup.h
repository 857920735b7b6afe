#pragma once
// The drop-down of the lunar date picker: one lunar month as a grid of its
// days 1..30, with buttons for the previous and the next month.  Choosing a
// day closes it.

#include <QFrame>

#include "app/LunarDateEdit.h"

class QButtonGroup;
class QLabel;

namespace qelvar {

class LunarDayPopup : public QFrame {
    Q_OBJECT
public:
    explicit LunarDayPopup(LunarPickerValue value, QWidget* parent = nullptr);

    LunarPickerValue shownMonth() const { return m_shown; }
    void showMonth(int year, int month);

signals:
    void daySelected(LunarPickerValue value);

private:
    void StepMonth(int months);

    LunarPickerValue m_shown;  // the month shown; day = the picker's day
    LunarPickerValue m_current;
    QLabel* m_title = nullptr;
    QButtonGroup* m_days = nullptr;
};

}  // namespace qelvar
