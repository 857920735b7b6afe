#include "ui/form/LunarDayPopup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "calendar/CalendarNames.h"
#include "calendar/LunarCalendar.h"
#include "ui/app/AppLanguage.h"

namespace qelvar {

namespace {

constexpr int kDaysPerRow = 6;  // five rows of six: days 1..30

QToolButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

LunarDayPopup::LunarDayPopup(LunarPickerValue value, bool leap, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_shown(value), m_current(value), m_currentLeap(leap) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    auto* header = new QHBoxLayout;
    QToolButton* previous = MakeButton(QStringLiteral("<"), this);
    QToolButton* next = MakeButton(QStringLiteral(">"), this);
    previous->setObjectName(QStringLiteral("previousMonth"));
    next->setObjectName(QStringLiteral("nextMonth"));
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    header->addWidget(previous);
    header->addWidget(m_title, 1);
    header->addWidget(next);
    layout->addLayout(header);

    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    m_days = new QButtonGroup(this);
    for (int day = 1; day <= 30; ++day) {
        QToolButton* button =
            MakeButton(Localized(LunarDayNames[static_cast<std::size_t>(day)]), this);
        button->setCheckable(true);
        m_days->addButton(button, day);
        grid->addWidget(button, (day - 1) / kDaysPerRow, (day - 1) % kDaysPerRow);
    }
    layout->addLayout(grid);

    connect(previous, &QToolButton::clicked, this, [this] { StepMonth(-1); });
    connect(next, &QToolButton::clicked, this, [this] { StepMonth(1); });
    connect(m_days, &QButtonGroup::idClicked, this, [this](int day) {
        emit daySelected({m_shown.year, m_shown.month, day}, m_shownLeap);
        close();
    });
    // A leap flag the year does not have shows the ordinary month.
    showMonth(value.year, value.month,
              leap && LunarCalendar::MonthDays(value.year, value.month, 1) > 0);
}

QString LunarDayPopup::title() const {
    return m_title->text();
}

// A month outside the calendar's table offers all thirty days.
void LunarDayPopup::showMonth(int year, int month, bool leap) {
    m_shown.year = year;
    m_shown.month = month;
    m_shownLeap = leap;
    const QString name = Localized(LunarMonthNames[static_cast<std::size_t>(month)]);
    m_title->setText(tr("%1年%2%3月").arg(year).arg(leap ? tr("闰") : QString(), name));
    const int days = LunarCalendar::MonthDays(year, month, leap ? 1 : 0);
    const bool currentMonth =
        year == m_current.year && month == m_current.month && leap == m_currentLeap;
    m_days->setExclusive(false);
    for (QAbstractButton* button : m_days->buttons()) {
        const int day = m_days->id(button);
        button->setVisible(days == 0 || day <= days);
        button->setChecked(currentMonth && day == m_current.day);
    }
    m_days->setExclusive(true);
}

void LunarDayPopup::StepMonth(int months) {
    LunarDate month;
    month.year = static_cast<std::uint16_t>(m_shown.year);
    month.month = static_cast<std::uint16_t>(m_shown.month);
    month.leap = m_shownLeap ? 1 : 0;
    const LunarDate next = LunarCalendar::StepMonth(month, months);
    if (next.year < 100 || next.year > 9999) return;  // the picker's year range
    showMonth(next.year, next.month, next.leap == 1);
}

}  // namespace qelvar
