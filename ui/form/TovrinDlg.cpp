#include "ui/form/TovrinDlg.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStringListModel>
#include <QToolBar>

#include "library/RecordBirth.h"
#include "moment/PlaceIndex.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/AppIcon.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/AppSettings.h"
#include "ui/app/DialogFont.h"
#include "ui/app/SettingsDlg.h"
#include "ui/app/TemplateWidgets.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/GregorianDateEdit.h"
#include "ui/form/ItemWrapLabel.h"
#include "ui/form/LocalDate.h"
#include "ui/form/LunarDateEdit.h"
#include "ui/library/LibraryWindow.h"

namespace qelvar {

namespace {

// The form's lists and menu texts come from the form's model in Simplified
// Chinese; they are shown in the language of the installed translations.
QString Text(std::string_view text) {
    return CoreText(text);
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
    // Any change the user makes counts as typed data (Esc then asks).
    connect(m_editName, &QLineEdit::textEdited, this, &CTovrinDlg::Typed);
    connect(m_editTime, &QLineEdit::textEdited, this, &CTovrinDlg::Typed);
    connect(m_editPlace, &QLineEdit::textEdited, this, &CTovrinDlg::Typed);
    connect(m_checkLeap, &QCheckBox::clicked, this, &CTovrinDlg::Typed);
    connect(m_checkSolarTime, &QCheckBox::clicked, this, &CTovrinDlg::Typed);
    connect(m_comboHour, &QComboBox::activated, this, &CTovrinDlg::Typed);
    connect(m_comboMinute, &QComboBox::activated, this, &CTovrinDlg::Typed);
    for (int id : {form_id::kMale, form_id::kFemale})
        connect(findChild<QRadioButton*>(ControlName(id)), &QRadioButton::clicked, this,
                &CTovrinDlg::Typed);
    auto button = [this](int id) { return findChild<QPushButton*>(ControlName(id)); };
    // Plain buttons: Enter stays with the cast button.
    for (int id : {form_id::kSaveButton, form_id::kLibraryButton, form_id::kRecentButton,
                   form_id::kSettingsButton})
        button(id)->setAutoDefault(false);
    connect(button(form_id::kSaveButton), &QPushButton::clicked, this, &CTovrinDlg::SaveToLibrary);
    connect(button(form_id::kLibraryButton), &QPushButton::clicked, this, &CTovrinDlg::OpenLibrary);
    connect(button(form_id::kRecentButton), &QPushButton::clicked, this, &CTovrinDlg::ShowRecent);
    connect(button(form_id::kSettingsButton), &QPushButton::clicked, this,
            &CTovrinDlg::ShowSettings);
    // The chart windows' 命例库 button opens the library of this form.
    CZiWeiDlg::SetLibraryOpener([form = QPointer<CTovrinDlg>(this)](QWidget* over) {
        if (form) form->OpenLibraryOver(over);
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &CTovrinDlg::ShowAbout);
}

void CTovrinDlg::BindControls() {
    m_dateSolar = findChild<GregorianDateEdit*>(ControlName(form_id::kSolarPicker));
    m_dateLunar = findChild<LunarDateEdit*>(ControlName(form_id::kLunarPicker));
    m_staticLunar = findChild<QLabel*>(ControlName(form_id::kLunarText));
    m_checkLeap = findChild<QCheckBox*>(ControlName(form_id::kLeapBox));
    m_comboHour = findChild<QComboBox*>(ControlName(form_id::kHourList));
    m_btnMale = findChild<QRadioButton*>(ControlName(form_id::kMale));
    m_comboMinute = findChild<QComboBox*>(ControlName(form_id::kMinuteList));
    m_editTime = findChild<QLineEdit*>(ControlName(form_id::kTimeEdit));
    m_editPlace = findChild<QLineEdit*>(ControlName(form_id::kPlaceEdit));
    m_checkSolarTime = findChild<QCheckBox*>(ControlName(form_id::kSolarTimeBox));
    m_staticMoment = findChild<ItemWrapLabel*>(ControlName(form_id::kMomentText));
    m_nMomentHeight = m_staticMoment->height();
    m_editName = findChild<QLineEdit*>(ControlName(form_id::kNameEdit));
    SetPlaceholders();
    m_editTime->setMaxLength(5);
    m_checkSolarTime->setChecked(m_entry.m_bTrueSolarTime);
    // The lunar picker keeps a copy of the 闰月 box for its drop-down.
    connect(m_checkLeap, &QCheckBox::toggled, m_dateLunar, &LunarDateEdit::setLeap);
}

void CTovrinDlg::SetPlaceholders() {
    m_editName->setPlaceholderText(tr("可不填"));
    m_editTime->setPlaceholderText(tr("时:分"));
    m_editPlace->setPlaceholderText(tr("如 成都、Chengdu 或经度 104.07"));
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
    m_staticMoment->setText(Localized(m_entry.m_strResolution));
    FitMomentLine();
}

// The line under the place takes the lines it needs: the controls below it
// move down, the frame around it and the form grow (and shrink back).
void CTovrinDlg::FitMomentLine() {
    const QRect line = m_staticMoment->geometry();
    const int needed = std::max(m_nMomentHeight, m_staticMoment->heightForWidth(line.width()));
    const int extra = needed - line.height();
    if (extra == 0) return;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == m_staticMoment || w->isWindow()) continue;
        const QRect g = w->geometry();
        if (g.top() > line.bottom()) {
            w->move(g.x(), g.y() + extra);
        } else if (g.contains(line)) {
            w->resize(g.width(), g.height() + extra);
        }
    }
    m_staticMoment->resize(line.width(), needed);
    setFixedSize(width(), height() + extra);
}

// The picker whose date did not convert says why under it; a date that
// converts clears both notes.
void CTovrinDlg::ShowDateProblem(bool lunarChanged) {
    QString problem;
    if (m_form.m_strLunarStatic.compare(0, 5, "Error") == 0) {
        const LunarDate& l = m_form.m_dateLunar;
        const std::optional<SolarDate> g = ToSolarDate(m_form.m_dateSolar);
        problem = Localized(lunarChanged
                                ? LunarDateProblem({l.year, l.month, l.day, m_form.m_bLeap ? 1 : 0})
                            : g ? SolarDateProblem(*g)
                                : std::string());
        if (problem.isEmpty()) problem = tr("这个日期无法换算");
    }
    m_dateSolar->ShowRefusal(lunarChanged ? QString() : problem);
    m_dateLunar->ShowRefusal(lunarChanged ? problem : QString());
}

void CTovrinDlg::OnSolarChanged() {
    m_typed = true;
    m_lunarTyped = false;
    ReadForm();
    m_form.UpdateFromSolar();
    if (m_form.DatesReady()) m_entry.OnDateChosen(m_form);  // a refused date changes nothing else
    WriteForm();
    WriteMoment();
    ShowDateProblem(false);
}

void CTovrinDlg::OnLunarChanged() {
    m_typed = true;
    m_lunarTyped = true;
    ReadForm();
    m_form.UpdateFromLunar();
    if (m_form.DatesReady()) m_entry.OnDateChosen(m_form);
    WriteForm();
    WriteMoment();
    ShowDateProblem(true);
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

// The places the typed text begins, as "朝阳区 · 北京市" (picking one writes
// that text, which finds that place alone); the index is built when the
// field is first typed in, not when the form opens.
void CTovrinDlg::CompletePlaces() {
    constexpr std::size_t kShown = 20;
    auto* completer = m_editPlace->completer();
    if (completer == nullptr) {
        completer = new QCompleter(m_editPlace);
        completer->setModel(new QStringListModel(completer));
        completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
        m_editPlace->setCompleter(completer);
    }
    QStringList labels;
    // The place typed last time is offered first while it still fits.
    if (const QString last = LoadLastPlace();
        !last.isEmpty() && last.startsWith(m_editPlace->text()))
        labels << last;
    for (const Place* p :
         PlaceIndex::Installed().Complete(m_editPlace->text().toStdString(), kShown))
        labels << QString::fromStdString(PlaceLabel(*p));
    labels.removeDuplicates();
    static_cast<QStringListModel*>(completer->model())->setStringList(labels);
    if (labels.isEmpty()) {
        completer->popup()->hide();
    } else {
        completer->complete();
    }
}

// With a date that casts but a list still empty, the list opens to ask for
// its entry.
void CTovrinDlg::OnCast() {
    ReadForm();
    if (m_form.CastChart()) {
        if (auto record = RecordFromForm()) RememberBirth(*record);
        if (!m_entry.m_strPlace.empty()) SaveLastPlace(m_editPlace->text());
        if (!ApplyConventions(m_birth, LoadConventions())) {
            QMessageBox::warning(this, windowTitle(), QString::fromUtf8(kErrorDate.data()));
            return;
        }
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
    // The language of the texts: the form and every window opened from now
    // on at once (the form rewrites its texts on the language change).
    QMenu* languages = menu.addMenu(tr("语言 / 語言"));
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

// A language chosen in the menu installs other translations: every text of
// the form is written again in it (the lists keep their selection).
void CTovrinDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange || m_comboHour == nullptr) return;
    setFont(DialogFont());  // the language's Song face, same metrics
    // The calendar pop-up's month and day names follow the new locale.
    m_dateSolar->setLocale(QLocale());
    m_dateSolar->calendarWidget()->setLocale(QLocale());
    RetranslateTemplate(*this, FormTemplate());
    SetPlaceholders();
    for (int i = 0; i < m_comboHour->count(); ++i)
        m_comboHour->setItemText(i, Text(kHourEntries[static_cast<std::size_t>(i)]));
    for (int i = 0; i < m_comboMinute->count(); ++i)
        m_comboMinute->setItemText(i, Text(kMinuteEntries[static_cast<std::size_t>(i)]));
    m_staticLunar->setText(Localized(m_form.m_strLunarStatic));
    m_staticMoment->setText(Localized(m_entry.m_strResolution));
    FitMomentLine();
}

void CTovrinDlg::OpenChartWindow(const BirthData& birth, const std::string& momentText,
                                 const std::function<void()>& save) {
    CZiWeiDlg chart(birth, LocalToday(), nullptr, LoadConventions());
    chart.SetMomentText(momentText);
    if (save) chart.SetSaveToLibrary([save](CZiWeiDlg&) { save(); });
    chart.exec();
}

QString CTovrinDlg::PersonName() const {
    return m_editName->text().trimmed();
}

std::string CTovrinDlg::ChartCaptionText() const {
    std::string caption = MomentCaption(m_entry);
    const std::string name = PersonName().toStdString();
    if (!name.empty()) caption = "姓名 " + name + (caption.empty() ? "" : "  " + caption);
    return caption;
}

std::optional<library::Record> CTovrinDlg::RecordFromForm(QString* problem) {
    ReadForm();
    auto fail = [problem](const QString& why) {
        if (problem) *problem = why;
        return std::nullopt;
    };
    library::Record r;
    if (m_editing) r = *m_editing;
    r.name = PersonName().toStdString();
    r.male = m_form.m_bMale;
    r.conventions = LoadConventions();
    library::TypedBirth& b = r.birth;
    b = {};
    if (m_entry.Moment() && m_entry.Resolution()) {
        b.kind = library::BirthKind::Clock;
        b.moment = *m_entry.Moment();
    } else {
        if (!m_form.DatesReady()) return fail(tr("日期无效"));
        if (m_form.m_nHourSelection < 0 || m_form.m_nMinuteSelection < 0)
            return fail(tr("请先选择时辰和分段"));
        if (m_lunarTyped) {
            b.kind = library::BirthKind::Lunar;
            b.year = m_form.m_dateLunar.year;
            b.month = m_form.m_dateLunar.month;
            b.day = m_form.m_dateLunar.day;
            b.leap = m_form.m_bLeap;
        } else {
            b.year = static_cast<int>(m_form.m_dateSolar.year());
            b.month = static_cast<int>(static_cast<unsigned>(m_form.m_dateSolar.month()));
            b.day = static_cast<int>(static_cast<unsigned>(m_form.m_dateSolar.day()));
        }
        b.doubleHour = m_form.m_nHourSelection;
        b.minuteSlot = m_form.m_nMinuteSelection;
    }
    if (!library::CastRecord(r).ok()) return fail(tr("这个生辰无法排盘"));
    return r;
}

void CTovrinDlg::LoadRecord(const library::Record& r, bool editing) {
    m_editing = editing ? std::optional(r) : std::nullopt;
    m_editName->setText(QString::fromStdString(r.name));
    m_form.m_bMale = r.male;
    const library::TypedBirth& b = r.birth;
    using namespace std::chrono;
    auto ymd = [](int y, int m, int d) {
        return year_month_day{year{y}, month{static_cast<unsigned>(m)},
                              day{static_cast<unsigned>(d)}};
    };
    if (b.kind == library::BirthKind::Clock) {
        const ClockTime& c = b.moment.clock;
        m_form.m_dateSolar = ymd(c.year, c.month, c.day);
        m_form.UpdateFromSolar();
        m_entry.OnDateChosen(m_form);
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", c.hour % 100, c.minute % 100);
        m_entry.m_strTime = time;
        std::string place;
        if (b.moment.place) {
            place = b.moment.place->name;
            if (place.empty()) {
                place = std::to_string(b.moment.place->longitude);
                if (b.moment.place->latitude)
                    place += ", " + std::to_string(*b.moment.place->latitude);
            }
        }
        m_entry.m_strPlace = place;
        m_entry.m_bTrueSolarTime = b.moment.UsesTrueSolarTime();
        {
            const QSignalBlocker block(m_editPlace);
            m_editPlace->setText(QString::fromStdString(place));
        }
        m_checkSolarTime->setChecked(m_entry.m_bTrueSolarTime);
        m_entry.Apply(m_form);
        m_lunarTyped = false;
    } else {
        if (b.kind == library::BirthKind::Lunar) {
            m_form.m_dateLunar = {static_cast<std::uint16_t>(b.year),
                                  static_cast<std::uint16_t>(b.month),
                                  static_cast<std::uint16_t>(b.day), b.leap ? 1 : 0};
            m_form.m_bLeap = b.leap;
            m_form.UpdateFromLunar();
        } else {
            m_form.m_dateSolar = ymd(b.year, b.month, b.day);
            m_form.UpdateFromSolar();
        }
        m_entry.OnDateChosen(m_form);
        m_form.m_nHourSelection = b.doubleHour;
        m_form.m_nMinuteSelection = b.minuteSlot;
        m_entry.OnListChosen(m_form);
        m_lunarTyped = b.kind == library::BirthKind::Lunar;
    }
    WriteForm();
    WriteMoment();
    m_typed = false;
}

bool CTovrinDlg::SaveToLibrary() {
    QString problem;
    std::optional<library::Record> r = RecordFromForm(&problem);
    if (!r) {
        QMessageBox::warning(this, tr("存入命例库"), problem);
        return false;
    }
    if (r->name.empty()) {
        bool ok = false;
        const QString name = QInputDialog::getText(this, tr("存入命例库"), tr("姓名："),
                                                   QLineEdit::Normal, QString(), &ok)
                                 .trimmed();
        if (!ok || name.isEmpty()) return false;
        m_editName->setText(name);
        r->name = name.toStdString();
    }
    library::Library* lib = AppLibrary(this);
    if (!lib) return false;
    library::Outcome outcome;
    if (m_editing) {
        outcome = lib->Update(*r);
    } else if (auto same = lib->FindDuplicate(*r)) {
        r = same;  // already kept: nothing to add
    } else {
        outcome = lib->Add(*r);
    }
    if (!outcome.ok) {
        QMessageBox::warning(
            this, tr("存入命例库"),
            tr("未能存入 %1：\n%2")
                .arg(QString::fromStdString(lib->Path()), QString::fromStdString(outcome.error)));
        return false;
    }
    if (m_editing) m_editing = *r;  // a second save changes the same record
    m_typed = false;
    if (LibraryWindow* window = LibraryWindow::Instance()) window->RecordChanged(r->id);
    return true;
}

void CTovrinDlg::OpenLibrary() {
    OpenLibraryOver(nullptr);
}

void CTovrinDlg::OpenLibraryOver(QWidget* over) {
    library::Library* lib = AppLibrary(over ? over : this);
    if (!lib) return;
    LibraryWindow::Show(
        *lib,
        [this](const library::Record& r) {
            LoadRecord(r, true);
            raise();
            activateWindow();
        },
        this, over);
}

void CTovrinDlg::ShowRecent() {
    QMenu menu(this);
    const std::vector<library::Record> recent = LoadRecentBirths();
    for (const library::Record& r : recent) {
        QString text = QString::fromStdString(library::BirthSummary(r.birth));
        if (!r.name.empty()) text = QString::fromStdString(r.name) + QStringLiteral("  ") + text;
        QAction* a = menu.addAction(text);
        connect(a, &QAction::triggered, this, [this, r] {
            LoadRecord(r, false);
            m_typed = true;  // not kept anywhere yet
        });
    }
    if (recent.empty()) menu.addAction(tr("（还没有排过盘）"))->setEnabled(false);
    auto* button = findChild<QPushButton*>(ControlName(form_id::kRecentButton));
    menu.exec(button->mapToGlobal(QPoint(0, button->height())));
}

void CTovrinDlg::ShowSettings() {
    SettingsDlg settings(this);
    settings.exec();
}

void CTovrinDlg::reject() {
    if (!m_typed) {
        QDialog::reject();
        return;
    }
    QMessageBox ask(QMessageBox::Question, windowTitle(), tr("填写的生辰还没有存入命例库。"),
                    QMessageBox::NoButton, this);
    ask.setObjectName(QStringLiteral("unsavedQuestion"));
    QPushButton* save = ask.addButton(tr("保存到命例库"), QMessageBox::AcceptRole);
    QPushButton* discard = ask.addButton(tr("放弃"), QMessageBox::DestructiveRole);
    QPushButton* cancel = ask.addButton(tr("取消"), QMessageBox::RejectRole);
    ask.setDefaultButton(save);
    ask.setEscapeButton(cancel);
    ask.exec();
    if (ask.clickedButton() == discard || (ask.clickedButton() == save && SaveToLibrary()))
        QDialog::reject();
}

}  // namespace qelvar
