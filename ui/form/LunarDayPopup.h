#pragma once
// The drop-down of the lunar date picker: one lunar month as a grid of its
// days 初一 .. 廿九 or 三十, with buttons for the previous and the next month
// (leap months included, 闰 in the header).  Choosing a day closes it.

#include <QFrame>

#include "ui/form/LunarDateEdit.h"

class QButtonGroup;
class QLabel;

namespace qelvar {

class LunarDayPopup : public QFrame {
    Q_OBJECT
public:
    LunarDayPopup(LunarPickerValue value, bool leap, QWidget* parent = nullptr);

    LunarPickerValue shownMonth() const { return m_shown; }
    bool shownLeap() const { return m_shownLeap; }
    QString title() const;
    void showMonth(int year, int month, bool leap = false);

signals:
    void daySelected(LunarPickerValue value, bool leap);

private:
    void StepMonth(int months);

    LunarPickerValue m_shown;  // the month shown; day = the picker's day
    bool m_shownLeap = false;
    LunarPickerValue m_current;
    bool m_currentLeap = false;
    QLabel* m_title = nullptr;
    QButtonGroup* m_days = nullptr;
};

}  // namespace qelvar
