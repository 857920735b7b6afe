#include "ui/app/TemplateWidgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/app/AppIcon.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/DialogFont.h"
#include "ui/form/GregorianDateEdit.h"
#include "ui/form/ItemWrapLabel.h"
#include "ui/form/LunarDateEdit.h"

namespace qelvar {

namespace {

// A template's texts are written in Simplified Chinese; they are shown in
// the language of the installed translations.
QString Text(std::string_view text) {
    return CoreText(text);
}

// The control's place in its template, kept on the widget for
// RetranslateTemplate (controls without identifier share one name).
constexpr char kTemplateIndex[] = "templateIndex";

// Moves a drop-down, when it opens, so that its right edge lines up with
// the right edge of its picker.
class RightAlignedDropDown : public QObject {
public:
    RightAlignedDropDown(QWidget* picker, QWidget* dropDown) : QObject(picker), m_picker(picker) {
        dropDown->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* dropDown = static_cast<QWidget*>(watched);
            const QPoint corner =
                m_picker->mapToGlobal(QPoint(m_picker->width(), m_picker->height()));
            dropDown->move(corner.x() - dropDown->width(), dropDown->y());
        }
        return false;
    }

private:
    QWidget* m_picker;
};

GregorianDateEdit* MakeDatePicker(QWidget* parent) {
    auto* picker = new GregorianDateEdit(parent);
    picker->setDisplayFormat(QStringLiteral("yyyy/M/d"));  // the short date format
    picker->setCalendarPopup(true);
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setMaximumDate(QDate(9999, 12, 31));
    new RightAlignedDropDown(picker, picker->calendarWidget()->window());
    return picker;
}

QComboBox* MakeDropDownList(QWidget* parent, int listHeight) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    const int rowHeight = list->fontMetrics().height() + 2;
    list->setMaxVisibleItems(std::max(1, listHeight / rowHeight - 1));
    return list;
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent, int listHeight) {
    const QString text = Text(c.text);
    switch (c.kind) {
        case ControlKind::kDatePicker:
            return MakeDatePicker(parent);
        case ControlKind::kLunarDatePicker:
            return new LunarDateEdit(parent);
        case ControlKind::kStatic:
            return new QLabel(text, parent);
        case ControlKind::kStaticNoPrefix: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            return label;
        }
        case ControlKind::kStaticWrapped:
            return new ItemWrapLabel(parent);
        case ControlKind::kEdit:
            return new QLineEdit(parent);
        case ControlKind::kStaticCentred: {
            auto* label = new QLabel(text, parent);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            return label;
        }
        case ControlKind::kCheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::kGroupBox:
            return new QGroupBox(parent);
        case ControlKind::kDropDownList:
            return MakeDropDownList(parent, listHeight);
        case ControlKind::kRadioFirst:
        case ControlKind::kRadio:
            return new QRadioButton(text, parent);
        case ControlKind::kPushButton:
            return new QPushButton(text, parent);
        case ControlKind::kDefaultButton: {
            auto* button = new QPushButton(text, parent);
            button->setDefault(true);
            return button;
        }
        case ControlKind::kIcon: {
            auto* icon = new QLabel(parent);
            icon->setPixmap(AppIcon().pixmap(32, 32));
            icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return icon;
        }
    }
    return new QWidget(parent);
}

// A drop-down list's template height is the height of its open list; the
// closed box is one text row high, as the platform draws it.
QRect PixelGeometry(const ControlTemplate& c, QWidget* widget, DialogBaseUnits base) {
    const PixelRect r = ToPixels(c.rect, base);
    const int height = c.kind == ControlKind::kDropDownList ? widget->sizeHint().height() : r.h;
    return {r.x, r.y, r.w, height};
}

}  // namespace

QString ControlName(int id) {
    return id == kNoId ? QStringLiteral("static") : QString::number(id);
}

DialogBaseUnits BuildTemplate(QDialog& dialog, const DialogTemplate& layout) {
    dialog.setFont(DialogFont());
    dialog.setWindowTitle(Text(layout.caption));
    const DialogBaseUnits base = BaseUnitsOf(dialog.font());
    dialog.setFixedSize(DuToPixelsX(layout.width, base), DuToPixelsY(layout.height, base));

    QButtonGroup* radios = nullptr;
    for (const ControlTemplate& c : layout.controls) {
        QWidget* widget = MakeControl(c, &dialog, DuToPixelsY(c.rect.h, base));
        widget->setObjectName(ControlName(c.id));
        widget->setProperty(kTemplateIndex, static_cast<int>(&c - layout.controls.data()));
        widget->setGeometry(PixelGeometry(c, widget, base));
        if (c.kind == ControlKind::kGroupBox) widget->lower();  // a frame behind the controls
        if (c.kind == ControlKind::kRadioFirst) radios = new QButtonGroup(&dialog);
        if (radios != nullptr &&
            (c.kind == ControlKind::kRadioFirst || c.kind == ControlKind::kRadio)) {
            radios->addButton(static_cast<QRadioButton*>(widget), c.id);
        }
    }
    return base;
}

void RetranslateTemplate(QDialog& dialog, const DialogTemplate& layout) {
    dialog.setWindowTitle(Text(layout.caption));
    for (QWidget* widget : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        bool made = false;
        const int index = widget->property(kTemplateIndex).toInt(&made);
        if (!made || index < 0 || static_cast<std::size_t>(index) >= layout.controls.size())
            continue;
        const ControlTemplate& c = layout.controls[static_cast<std::size_t>(index)];
        if (c.text.empty()) continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->pixmap().isNull()) label->setText(Text(c.text));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(Text(c.text));
        }
    }
}

}  // namespace qelvar
