#include "ui/form/LunarDateEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QStylePainter>
#include <algorithm>
#include <array>
#include <optional>

#include "ui/form/LunarDayPopup.h"
#include "ui/form/PickerTyping.h"

namespace qelvar {

namespace {

struct SectionRange {
    int min;
    int max;
};

// The same year range as the Gregorian picker, days 1..30 in every month.
constexpr std::array<SectionRange, 3> kRanges{{{100, 9999}, {1, 12}, {1, 30}}};

int Field(const LunarPickerValue& v, int section) {
    return section == LunarDateEdit::kYear    ? v.year
           : section == LunarDateEdit::kMonth ? v.month
                                              : v.day;
}

void SetField(LunarPickerValue& v, int section, int number) {
    if (section == LunarDateEdit::kYear) v.year = number;
    if (section == LunarDateEdit::kMonth) v.month = number;
    if (section == LunarDateEdit::kDay) v.day = number;
}

QString Format(const LunarPickerValue& v) {
    return QStringLiteral("%1/%2/%3").arg(v.year).arg(v.month).arg(v.day);
}

const QRegularExpression& Pattern() {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{0,4})/(\\d{0,2})/(\\d{0,2})$"));
    return pattern;
}

// A date still being typed: "2023", "2023/", "2023/2/3".
const QRegularExpression& PartialPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{0,4})(?:/(\\d{0,2})(?:/(\\d{0,2}))?)?$"));
    return pattern;
}

// Start and length of each section in `text` ("2000/1/30": 0+4, 5+1, 7+2).
std::array<std::pair<int, int>, 3> SectionSpans(const QString& text) {
    const int first = text.indexOf(QLatin1Char('/'));
    const int second = text.indexOf(QLatin1Char('/'), first + 1);
    return {{{0, first}, {first + 1, second - first - 1}, {second + 1, text.size() - second - 1}}};
}

// The value `text` spells, when every section is complete and in range.
std::optional<LunarPickerValue> Parse(const QString& text) {
    const QRegularExpressionMatch match = Pattern().match(text);
    if (!match.hasMatch()) return std::nullopt;
    LunarPickerValue v;
    for (int s = 0; s < 3; ++s) {
        bool ok = false;
        const int number = match.captured(s + 1).toInt(&ok);
        if (!ok || number < kRanges[s].min || number > kRanges[s].max) return std::nullopt;
        SetField(v, s, number);
    }
    return v;
}

}  // namespace

LunarDateEdit::LunarDateEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setAccelerated(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, &LunarDateEdit::OnTextEdited);
    PickerTyping::Hooks hooks{
        .value =
            [this] {
                return DateFields{m_value.year, m_value.month, m_value.day};
            },
        .problem = [](const DateFields&) { return std::string(); },  // days 1..30 all held
        .take =
            [this](const DateFields& d) {
                setValue({d.year, d.month, d.day});
            },
        .showValue = [this] { ShowValue(); },
    };
    m_typing = new PickerTyping(this, lineEdit(), kRanges[kDay].max, std::move(hooks));
    connect(this, &LunarDateEdit::valueChanged, m_typing, &PickerTyping::ValueSetElsewhere);
    ShowValue();
}

void LunarDateEdit::ShowRefusal(const QString& reason) {
    m_typing->ShowRefusal(reason);
}

QString LunarDateEdit::Refusal() const {
    return m_typing->Refusal();
}

void LunarDateEdit::setValue(LunarPickerValue value) {
    for (int s = 0; s < 3; ++s) {
        SetField(value, s, std::clamp(Field(value, s), kRanges[s].min, kRanges[s].max));
    }
    const bool changed = !(value == m_value);
    m_value = value;
    ShowValue();
    if (changed) emit valueChanged();
}

LunarDateEdit::Section LunarDateEdit::currentSection() const {
    const int cursor = lineEdit()->cursorPosition();
    const auto spans = SectionSpans(lineEdit()->text());
    if (cursor <= spans[0].first + spans[0].second) return kYear;
    if (cursor <= spans[1].first + spans[1].second) return kMonth;
    return kDay;
}

void LunarDateEdit::setCurrentSection(Section section) {
    SelectSection(section);
}

void LunarDateEdit::stepBy(int steps) {
    const Section section = currentSection();
    LunarPickerValue next = m_value;
    const SectionRange range = kRanges[section];
    SetField(next, section, std::clamp(Field(next, section) + steps, range.min, range.max));
    setValue(next);
    SelectSection(section);
}

QValidator::State LunarDateEdit::validate(QString& input, int&) const {
    if (Parse(input)) return QValidator::Acceptable;
    const QRegularExpressionMatch match = PartialPattern().match(input);
    if (!match.hasMatch()) return QValidator::Invalid;
    for (int s = 0; s < 3; ++s) {
        const QString digits = match.captured(s + 1);
        if (!digits.isEmpty() && digits.toInt() > kRanges[s].max) return QValidator::Invalid;
    }
    return QValidator::Intermediate;  // a section still being typed
}

void LunarDateEdit::fixup(QString& input) const {
    input = Format(m_value);
}

QAbstractSpinBox::StepEnabled LunarDateEdit::stepEnabled() const {
    const Section section = currentSection();
    const int number = Field(m_value, section);
    StepEnabled enabled = StepNone;
    if (number > kRanges[section].min) enabled |= StepDownEnabled;
    if (number < kRanges[section].max) enabled |= StepUpEnabled;
    return enabled;
}

// As QDateEdit does: Tab selects the year, Shift+Tab the day, a click the
// section under the mouse (PickerTyping, when the button goes up).
void LunarDateEdit::focusInEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason || event->reason() == Qt::PopupFocusReason) return;
    SelectSection(event->reason() == Qt::BacktabFocusReason ? kDay : kYear);
}

// Drawn as the Gregorian picker with its drop-down is: an editable combo box.
QStyleOptionComboBox LunarDateEdit::ComboOption() const {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = hasFrame();
    option.subControls =
        QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxEditField | QStyle::SC_ComboBoxArrow;
    return option;
}

void LunarDateEdit::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.drawComplexControl(QStyle::CC_ComboBox, ComboOption());
}

void LunarDateEdit::resizeEvent(QResizeEvent* event) {
    QAbstractSpinBox::resizeEvent(event);
    const QStyleOptionComboBox option = ComboOption();
    lineEdit()->setGeometry(
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
}

QSize LunarDateEdit::sizeHint() const {
    const QStyleOptionComboBox option = ComboOption();
    const QSize text(fontMetrics().horizontalAdvance(QStringLiteral("9999/12/30 ")),
                     lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

void LunarDateEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ShowPopup();  // everything outside the text field is the arrow
        return;
    }
    QWidget::mousePressEvent(event);
}

void LunarDateEdit::keyPressEvent(QKeyEvent* event) {
    const bool dropDown = event->key() == Qt::Key_F4 ||
                          (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier);
    if (dropDown) {
        ShowPopup();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

// Right-aligned under the picker, like the Gregorian picker's calendar.
void LunarDateEdit::ShowPopup() {
    auto* popup = new LunarDayPopup(m_value, m_leap, this);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setObjectName(QStringLiteral("lunarDayPopup"));
    connect(popup, &LunarDayPopup::daySelected, this, &LunarDateEdit::ChooseDay);
    popup->adjustSize();
    const QPoint bottomRight = mapToGlobal(QPoint(width(), height()));
    QPoint corner(bottomRight.x() - popup->width(), bottomRight.y());
    if (const QScreen* shown = screen()) {  // never off the screen's left or bottom edge
        const QRect free = shown->availableGeometry();
        corner.setX(std::max(corner.x(), free.left()));
        if (corner.y() + popup->height() > free.bottom() + 1)
            corner.setY(mapToGlobal(QPoint(0, 0)).y() - popup->height());
    }
    popup->move(corner);
    popup->show();
}

void LunarDateEdit::ChooseDay(LunarPickerValue value, bool leap) {
    if (leap == m_leap) {
        setValue(value);
        return;
    }
    m_leap = leap;
    m_value = value;
    ShowValue();
    emit valueChanged();  // the same numbers in the other month are a change
}

void LunarDateEdit::OnTextEdited(const QString& text) {
    const std::optional<LunarPickerValue> typed = Parse(text);
    if (!typed || *typed == m_value) return;
    m_value = *typed;
    emit valueChanged();
}

void LunarDateEdit::ShowValue() {
    const int cursor = lineEdit()->cursorPosition();
    lineEdit()->setText(Format(m_value));
    lineEdit()->setCursorPosition(std::min(cursor, static_cast<int>(lineEdit()->text().size())));
}

void LunarDateEdit::SelectSection(Section section) {
    const auto spans = SectionSpans(lineEdit()->text());
    lineEdit()->setSelection(spans[section].first, spans[section].second);
}

}  // namespace qelvar
