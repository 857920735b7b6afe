#include "ui/form/PickerTyping.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace qelvar {

namespace {

// Section of "Y/M/D" at a cursor position.
DateTyping::Section SectionAt(const QString& text, int position) {
    const qsizetype first = text.indexOf(QLatin1Char('/'));
    const qsizetype second = text.indexOf(QLatin1Char('/'), first + 1);
    if (first < 0 || position <= first) return DateTyping::kYear;
    if (second < 0 || position <= second) return DateTyping::kMonth;
    return DateTyping::kDay;
}

bool IsSeparator(const QString& text) {
    return text.size() == 1 && QStringLiteral("/-. ").contains(text.front());
}

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_CapsLock;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

PickerTyping::PickerTyping(QAbstractSpinBox* picker, QLineEdit* edit, int maxDay, Hooks hooks)
    : QObject(picker), m_picker(picker), m_edit(edit), m_maxDay(maxDay), m_hooks(std::move(hooks)) {
    picker->installEventFilter(this);
    edit->installEventFilter(this);
}

void PickerTyping::ShowRefusal(const QString& reason) {
    if (reason.isEmpty()) {
        if (m_note) m_note->hide();
        return;
    }
    QWidget* window = m_picker->window();
    if (!m_note) {
        m_note = new QLabel(window);
        m_note->setObjectName(QStringLiteral("dateRefusal"));
        m_note->setWordWrap(true);
        m_note->setFrameShape(QFrame::Box);
        m_note->setMargin(2);
        m_note->setAutoFillBackground(true);
        m_note->setBackgroundRole(QPalette::ToolTipBase);
        m_note->setForegroundRole(QPalette::ToolTipText);
        m_note->setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks reach what it covers
    }
    m_note->setText(reason);
    // Under the picker, as wide as its text and the window allow.
    const QPoint below = m_picker->mapTo(window, QPoint(0, m_picker->height()));
    const int room = window->width() - below.x() - 4;
    const int wanted = m_note->fontMetrics().horizontalAdvance(reason) + 2 * m_note->margin() +
                       2 * m_note->frameWidth() + 2;
    const int width = std::min(wanted, room);
    m_note->setGeometry(below.x(), below.y(), width, m_note->heightForWidth(width));
    m_note->raise();
    m_note->show();
}

QString PickerTyping::Refusal() const {
    return m_note && !m_note->isHidden() ? m_note->text() : QString();
}

void PickerTyping::ValueSetElsewhere() {
    if (m_taking || !m_typing) return;
    // QDateTimeEdit may read the typed text itself once the cursor moves:
    // that is the entry's own date, not a change from elsewhere.
    if (m_typing->Meant() == m_hooks.value()) return;
    m_typing.reset();
}

bool PickerTyping::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picker) {
        if (event->type() == QEvent::KeyPress) return OnKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) Finish();
    } else if (watched == m_edit && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A click picks the section under the mouse; a dragged or
        // double-clicked selection stays as it is.
        Finish();
        if (!m_edit->hasSelectedText())
            SelectSection(SectionAt(m_edit->text(), m_edit->cursorPosition()), true);
    }
    return false;
}

bool PickerTyping::OnKey(const QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        Finish();
        m_edit->selectAll();
        return true;
    }
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && text.size() == 1 && text.front().isDigit()) {
        Begin();
        if (m_typing->Digit(text.front().digitValue())) Render();
        return true;
    }
    if (plain && IsSeparator(text)) {
        Begin();
        if (m_typing->Separator()) Render();
        return true;
    }
    if (event->key() == Qt::Key_Backspace) {
        Begin();
        if (m_typing->Backspace()) Render();
        return true;
    }
    if (plain && text.size() == 1 && text.front().isPrint()) return true;  // no letters
    if (!IsModifierKey(event->key())) Finish();  // arrows, Enter, Tab ... act on the held date
    return false;
}

void PickerTyping::Begin() {
    if (m_typing) return;
    const QString text = m_edit->text();
    const bool whole = m_edit->hasSelectedText() && m_edit->selectedText() == text;
    const int at = m_edit->hasSelectedText() ? static_cast<int>(m_edit->selectionStart())
                                             : m_edit->cursorPosition();
    m_typing.emplace(m_hooks.value(), SectionAt(text, at), whole, m_maxDay);
}

void PickerTyping::Render() {
    ShowRefusal({});
    if (const std::optional<DateFields> meant = m_typing->Meant()) {
        const std::string problem = m_hooks.problem(*meant);
        if (problem.empty()) {
            m_taking = true;
            m_hooks.take(*meant);  // the form may refuse it and say why
            m_taking = false;
        } else {
            ShowRefusal(Text(problem));
        }
    }
    // Shown as typed: the picker's own validator would mend "2023/2/30"
    // into "2023/2/28".
    const QValidator* validator = m_edit->validator();
    m_edit->setValidator(nullptr);
    m_edit->setText(Text(m_typing->Text()));
    m_edit->setValidator(validator);
    SelectSection(m_typing->Current(), m_typing->CurrentSelected());
}

void PickerTyping::Finish() {
    if (!m_typing) return;
    const DateTyping entry = *m_typing;
    m_typing.reset();
    if (!entry.Meant()) ShowRefusal(tr("日期没有写完整，请写成 1988/6/15 这样的年/月/日"));
    m_hooks.showValue();
    SelectSection(entry.Current(), true);
}

void PickerTyping::SelectSection(int section, bool selected) {
    const QString text = m_edit->text();
    const qsizetype first = text.indexOf(QLatin1Char('/'));
    const qsizetype second = text.indexOf(QLatin1Char('/'), first + 1);
    if (first < 0 || second < 0) return;
    const int starts[3] = {0, static_cast<int>(first) + 1, static_cast<int>(second) + 1};
    const int ends[3] = {static_cast<int>(first), static_cast<int>(second),
                         static_cast<int>(text.size())};
    if (selected && ends[section] > starts[section]) {
        m_edit->setSelection(starts[section], ends[section] - starts[section]);
    } else {
        m_edit->setCursorPosition(ends[section]);
    }
}

}  // namespace qelvar
