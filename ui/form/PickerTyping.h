#pragma once
// The keyboard of both date pickers: digits, "/", "-", ".", Space and
// Backspace go to a DateTyping entry (the same rules for the Gregorian and
// the lunar picker); the date is taken as soon as it is meant, and a date
// the picker or the form cannot take is refused in place: the typed text
// stays and a note under the picker says why.  A click in the text selects
// the section under the mouse; Tab selects the year; Ctrl+A the whole date.
// Any other key, or leaving the picker, ends the entry and shows the date
// the picker holds.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "form/DateTyping.h"

class QAbstractSpinBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace qelvar {

class PickerTyping : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<DateFields()> value;  // the date the picker holds
        // Why the picker cannot hold `date`; empty when it can.
        std::function<std::string(const DateFields&)> problem;
        std::function<void(const DateFields&)> take;  // holds it, with its change signal
        std::function<void()> showValue;              // writes the held date into the text
    };

    PickerTyping(QAbstractSpinBox* picker, QLineEdit* edit, int maxDay, Hooks hooks);

    // The note under the picker; an empty reason hides it.
    void ShowRefusal(const QString& reason);
    QString Refusal() const;

    // The picker's value was set by other means (arrows, drop-down, the
    // form): an entry in progress ends.
    void ValueSetElsewhere();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(const QKeyEvent* event);
    void Begin();
    void Render();
    void Finish();
    void SelectSection(int section, bool selected);

    QAbstractSpinBox* m_picker;
    QLineEdit* m_edit;
    int m_maxDay;
    Hooks m_hooks;
    std::optional<DateTyping> m_typing;
    QPointer<QLabel> m_note;
    bool m_taking = false;  // our own take() is running
};

}  // namespace qelvar
