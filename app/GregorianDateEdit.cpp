#include "app/GregorianDateEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace qelvar {

namespace {

bool IsSeparator(const QKeyEvent* event) {
    const QString text = event->text();
    return text.size() == 1 && QStringLiteral("/-.").contains(text.front());
}

}  // namespace

GregorianDateEdit::GregorianDateEdit(QWidget* parent) : QDateEdit(parent) {}

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
    m_movedOn = false;
    if (event->button() != Qt::LeftButton || OnArrow(event->position().toPoint())) {
        QDateEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);  // the border only takes the focus
    event->accept();
}

void GregorianDateEdit::keyPressEvent(QKeyEvent* event) {
    if (m_movedOn && IsSeparator(event)) {
        m_movedOn = false;  // the picker is already where the separator leads
        event->accept();
        return;
    }
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    const bool digit = event->text().size() == 1 && event->text().front().isDigit();
    m_movedOn = digit && currentSection() != before;
}

void GregorianDateEdit::focusOutEvent(QFocusEvent* event) {
    m_movedOn = false;  // a separator typed on the next visit is meant
    QDateEdit::focusOutEvent(event);
}

}  // namespace qelvar
