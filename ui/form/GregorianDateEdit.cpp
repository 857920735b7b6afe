#include "ui/form/GregorianDateEdit.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "birth/BirthBuilder.h"
#include "ui/form/PickerTyping.h"

namespace qelvar {

GregorianDateEdit::GregorianDateEdit(QWidget* parent) : QDateEdit(parent) {
    // The typed text is read by PickerTyping, not by QDateTimeEdit's own
    // parser, which would take "198" as the year 198.
    setKeyboardTracking(false);
    PickerTyping::Hooks hooks{
        .value =
            [this] {
                return DateFields{date().year(), date().month(), date().day()};
            },
        .problem = [](const DateFields& d) -> std::string {
            if (QDate::isValid(d.year, d.month, d.day)) return {};
            return SolarDateProblem({static_cast<std::uint16_t>(d.year),
                                     static_cast<std::uint16_t>(d.month),
                                     static_cast<std::uint16_t>(d.day)});
        },
        .take = [this](const DateFields& d) { setDate(QDate(d.year, d.month, d.day)); },
        .showValue = [this] { setDate(date()); },
    };
    m_typing = new PickerTyping(this, lineEdit(), 31, std::move(hooks));
    connect(this, &QDateEdit::dateChanged, m_typing, &PickerTyping::ValueSetElsewhere);
}

void GregorianDateEdit::ShowRefusal(const QString& reason) {
    m_typing->ShowRefusal(reason);
}

QString GregorianDateEdit::Refusal() const {
    return m_typing->Refusal();
}

// Hit-tested as the picker draws itself with its drop-down: a combo box.
bool GregorianDateEdit::OnArrow(const QPoint& pos) const {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    return style()->hitTestComplexControl(QStyle::CC_ComboBox, &option, pos, this) ==
           QStyle::SC_ComboBoxArrow;
}

void GregorianDateEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || OnArrow(event->position().toPoint())) {
        QDateEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);  // the border only takes the focus
    event->accept();
}

}  // namespace qelvar
