#include "app/LunarDayPopup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

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

LunarDayPopup::LunarDayPopup(LunarPickerValue value, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_shown(value), m_current(value) {
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
        QToolButton* button = MakeButton(QString::number(day), this);
        button->setCheckable(true);
        m_days->addButton(button, day);
        grid->addWidget(button, (day - 1) / kDaysPerRow, (day - 1) % kDaysPerRow);
    }
    layout->addLayout(grid);

    connect(previous, &QToolButton::clicked, this, [this] { StepMonth(-1); });
    connect(next, &QToolButton::clicked, this, [this] { StepMonth(1); });
    connect(m_days, &QButtonGroup::idClicked, this, [this](int day) {
        emit daySelected({m_shown.year, m_shown.month, day});
        close();
    });
    showMonth(value.year, value.month);
}

void LunarDayPopup::showMonth(int year, int month) {
    m_shown.year = year;
    m_shown.month = month;
    m_title->setText(QStringLiteral("%1年%2月").arg(year).arg(month));
    const bool currentMonth = year == m_current.year && month == m_current.month;
    m_days->setExclusive(false);
    for (QAbstractButton* button : m_days->buttons()) {
        button->setChecked(currentMonth && m_days->id(button) == m_current.day);
    }
    m_days->setExclusive(true);
}

void LunarDayPopup::StepMonth(int months) {
    const int index = m_shown.year * 12 + (m_shown.month - 1) + months;  // months since year 0
    const int year = index / 12;
    if (year < 100 || year > 9999) return;  // the picker's year range
    showMonth(year, index % 12 + 1);
}

}  // namespace qelvar
