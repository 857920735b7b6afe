#include "app/TovrinDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "app/AboutDlg.h"
#include "app/AppIcon.h"
#include "app/AppLanguage.h"
#include "app/DialogFont.h"
#include "app/LocalDate.h"
#include "app/LunarDateEdit.h"
#include "app/TemplateWidgets.h"
#include "chart/ZiWeiDlg.h"
#include "moment/PlaceIndex.h"

namespace qelvar {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CTovrinDlg::CTovrinDlg(BirthData& birth, std::chrono::year_month_day today, QWidget* parent)
    : QDialog(parent), m_birth(birth), m_form(birth, today) {
    BuildTemplate(*this, FormTemplate());
    setWindowIcon(AppIcon());  // application icon, resource 128
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    BindControls();
    FillLists();
    WriteForm();  // the model has ticked 男 and run one update from today

    connect(m_dateSolar, &QDateEdit::dateChanged, this, &CTovrinDlg::OnSolarChanged);
    connect(m_dateLunar, &LunarDateEdit::valueChanged, this, [this] {
        m_checkLeap->setChecked(m_dateLunar->leap());  // a leap month chosen in the drop-down
        OnLunarChanged();
    });
    connect(m_checkLeap, &QCheckBox::clicked, this, &CTovrinDlg::OnLunarChanged);
    connect(m_editTime, &QLineEdit::textEdited, this, &CTovrinDlg::OnMomentEdited);
    connect(m_editPlace, &QLineEdit::textEdited, this, &CTovrinDlg::CompletePlaces);
    connect(m_editPlace, &QLineEdit::textChanged, this, &CTovrinDlg::OnMomentEdited);
    connect(m_checkSolarTime, &QCheckBox::clicked, this, &CTovrinDlg::OnMomentEdited);
    connect(m_comboHour, &QComboBox::activated, this, &CTovrinDlg::OnListChosen);
    connect(m_comboMinute, &QComboBox::activated, this, &CTovrinDlg::OnListChosen);
    auto* ok = findChild<QPushButton*>(ControlName(form_id::kOk));
    connect(ok, &QPushButton::clicked, this, &CTovrinDlg::OnCast);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &CTovrinDlg::ShowAbout);
}

void CTovrinDlg::BindControls() {
    m_dateSolar = findChild<QDateEdit*>(ControlName(form_id::kSolarPicker));
    m_dateLunar = findChild<LunarDateEdit*>(ControlName(form_id::kLunarPicker));
    m_staticLunar = findChild<QLabel*>(ControlName(form_id::kLunarText));
    m_checkLeap = findChild<QCheckBox*>(ControlName(form_id::kLeapBox));
    m_comboHour = findChild<QComboBox*>(ControlName(form_id::kHourList));
    m_btnMale = findChild<QRadioButton*>(ControlName(form_id::kMale));
    m_comboMinute = findChild<QComboBox*>(ControlName(form_id::kMinuteList));
    m_editTime = findChild<QLineEdit*>(ControlName(form_id::kTimeEdit));
    m_editPlace = findChild<QLineEdit*>(ControlName(form_id::kPlaceEdit));
    m_checkSolarTime = findChild<QCheckBox*>(ControlName(form_id::kSolarTimeBox));
    m_staticMoment = findChild<QLabel*>(ControlName(form_id::kMomentText));
    m_editTime->setPlaceholderText(QStringLiteral("HH:MM"));
    m_editTime->setMaxLength(5);
    m_editPlace->setPlaceholderText(QStringLiteral("成都 / Chengdu / 104.07"));
    m_checkSolarTime->setChecked(m_entry.m_bTrueSolarTime);
    // The lunar picker keeps a copy of the 闰月 box for its drop-down.
    connect(m_checkLeap, &QCheckBox::toggled, m_dateLunar, &LunarDateEdit::setLeap);
}

void CTovrinDlg::FillLists() {
    for (const std::string_view entry : kHourEntries) m_comboHour->addItem(Text(entry));
    for (const std::string_view entry : kMinuteEntries) m_comboMinute->addItem(Text(entry));
    m_comboHour->setCurrentIndex(-1);  // both lists start without a selection
    m_comboMinute->setCurrentIndex(-1);
}

// Controls -> model.
void CTovrinDlg::ReadForm() {
    m_form.m_dateSolar = ToYearMonthDay(m_dateSolar->date());
    const LunarPickerValue lunar = m_dateLunar->value();
    m_form.m_dateLunar.year = static_cast<std::uint16_t>(lunar.year);
    m_form.m_dateLunar.month = static_cast<std::uint16_t>(lunar.month);
    m_form.m_dateLunar.day = static_cast<std::uint16_t>(lunar.day);
    m_form.m_bLeap = m_checkLeap->isChecked();
    m_form.m_nHourSelection = m_comboHour->currentIndex();
    m_form.m_nMinuteSelection = m_comboMinute->currentIndex();
    m_form.m_bMale = m_btnMale->isChecked();
    m_entry.m_strTime = m_editTime->text().toStdString();
    m_entry.m_strPlace = m_editPlace->text().toStdString();
    m_entry.m_bTrueSolarTime = m_checkSolarTime->isChecked();
}

// Model -> controls, without raising change events (writing a value into a
// control is no user change).
void CTovrinDlg::WriteForm() {
    const QSignalBlocker blockSolar(m_dateSolar);
    const QSignalBlocker blockLunar(m_dateLunar);
    m_dateSolar->setDate(ToQDate(m_form.m_dateSolar));
    m_dateLunar->setValue(
        {m_form.m_dateLunar.year, m_form.m_dateLunar.month, m_form.m_dateLunar.day});
    m_checkLeap->setChecked(m_form.m_bLeap);
    m_staticLunar->setText(Localized(m_form.m_strLunarStatic));
    m_btnMale->setChecked(m_form.m_bMale);
    if (!m_form.m_bMale) findChild<QRadioButton*>(ControlName(form_id::kFemale))->setChecked(true);
}

// The lists, the time field and the line under it, from the models.
void CTovrinDlg::WriteMoment() {
    const QSignalBlocker blockHour(m_comboHour);
    const QSignalBlocker blockMinute(m_comboMinute);
    const QSignalBlocker blockTime(m_editTime);
    m_comboHour->setCurrentIndex(m_form.m_nHourSelection);
    m_comboMinute->setCurrentIndex(m_form.m_nMinuteSelection);
    if (m_editTime->text().toStdString() != m_entry.m_strTime)
        m_editTime->setText(QString::fromStdString(m_entry.m_strTime));
    m_staticMoment->setText(QString::fromStdString(m_entry.m_strResolution));
}

void CTovrinDlg::OnSolarChanged() {
    ReadForm();
    m_form.UpdateFromSolar();
    m_entry.OnDateChosen(m_form);
    WriteForm();
    WriteMoment();
}

void CTovrinDlg::OnLunarChanged() {
    ReadForm();
    m_form.UpdateFromLunar();
    m_entry.OnDateChosen(m_form);
    WriteForm();
    WriteMoment();
}

void CTovrinDlg::OnMomentEdited() {
    ReadForm();
    m_entry.Apply(m_form);
    WriteForm();
    WriteMoment();
}

void CTovrinDlg::OnListChosen() {
    ReadForm();
    m_entry.OnListChosen(m_form);
    WriteMoment();
}

// The place index is read when the place field is first typed in, not when
// the form opens.
void CTovrinDlg::CompletePlaces() {
    if (m_editPlace->completer() != nullptr) return;
    QStringList names;
    for (const Place& p : PlaceIndex::Installed().Places()) {
        const QString where = QString::fromStdString(", " + p.state + ", " + p.countryCode);
        names << QString::fromStdString(p.name) + where;
        if (!p.chineseName.empty()) names << QString::fromStdString(p.chineseName) + where;
    }
    auto* completer = new QCompleter(names, m_editPlace);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_editPlace->setCompleter(completer);
    completer->setCompletionPrefix(m_editPlace->text());
    completer->complete();
}

// With a date that casts but a list still empty, the list opens to ask for
// its entry.
void CTovrinDlg::OnCast() {
    ReadForm();
    if (m_form.CastChart()) {
        if (m_openChart) m_openChart(m_birth);
    } else if (m_form.DatesReady()) {
        OpenEmptyList();
    }
}

void CTovrinDlg::OpenEmptyList() {
    for (QComboBox* list : {m_comboHour, m_comboMinute}) {
        if (list->currentIndex() >= 0) continue;
        list->setFocus(Qt::OtherFocusReason);
        list->showPopup();
        return;
    }
}

void CTovrinDlg::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CTovrinDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const QAction* about = menu.addAction(Text(kAboutMenuText));
    // The language of the texts: charts opened from now on at once, the
    // whole program from its next start.
    QMenu* languages = menu.addMenu(QStringLiteral("语言 / 語言"));
    for (const Language l : {Language::ZhCN, Language::ZhTW, Language::ZhHK}) {
        QAction* choice = languages->addAction(LanguageMenuName(l));
        choice->setCheckable(true);
        choice->setChecked(l == AppLanguage());
        connect(choice, &QAction::triggered, this, [l] {
            SetAppLanguage(l);
            RememberLanguage(l);
            InstallQtTranslations(l);
            InstallSongFont();
        });
    }
    if (menu.exec(event->globalPos()) == about) ShowAbout();
}

void CTovrinDlg::OpenChartWindow(const BirthData& birth, const std::string& momentText) {
    CZiWeiDlg chart(birth, LocalToday());
    chart.SetMomentText(momentText);
    chart.exec();
}

}  // namespace qelvar
