#pragma once
// CTovrinDlg: the birth-data form (template 102), the main window.  It
// mirrors the BirthForm model: every event copies the controls into the
// model, runs one of its operations and copies the model back.

#include <QDialog>
#include <chrono>
#include <functional>
#include <optional>

#include "form/BirthForm.h"
#include "form/MomentEntry.h"
#include "library/Record.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qelvar {

class GregorianDateEdit;
class ItemWrapLabel;
class LunarDateEdit;

class CTovrinDlg : public QDialog {
    Q_OBJECT
public:
    // Opens the chart window for the stored birth data (modal); replaceable
    // so that tests can see what the cast button opens.
    using ChartOpener = std::function<void(const BirthData&)>;

    CTovrinDlg(BirthData& birth, std::chrono::year_month_day today, QWidget* parent = nullptr);

    void SetChartOpener(ChartOpener opener) { m_openChart = std::move(opener); }
    const BirthForm& Form() const { return m_form; }
    const MomentEntry& Entry() const { return m_entry; }

    // The chart window for `birth`, cast today, run modally.
    // The chart window, its caption told how the clock time was read;
    // `save` (when given) is the tool bar's 存入命例库.
    // The birth is as built (for the default conventions); the chart casts
    // it under the settings' conventions.
    static void OpenChartWindow(const BirthData& birth, const std::string& momentText,
                                const std::function<void()>& save = {});
    // The 命例库 window over `over` (a modal chart window lets through only
    // its own children), or over the form.
    void OpenLibraryOver(QWidget* over);

    // The birth as typed, with the name and the conventions of the settings,
    // as a library record (the record being edited keeps its id, notes, tags
    // and group); empty with the reason when the form holds no birth that
    // casts.
    std::optional<library::Record> RecordFromForm(QString* problem = nullptr);
    // Fills the form with a record; `editing`: 存入命例库 then changes that
    // record instead of adding one.
    void LoadRecord(const library::Record& record, bool editing);
    // Something was typed since the form opened or was last saved.
    bool HasTypedData() const { return m_typed; }
    // The name field's text, for the chart's caption.
    QString PersonName() const;

public slots:
    void OnSolarChanged();  // picker 1001 changed
    void OnLunarChanged();  // picker 1002 changed or 闰月 clicked
    void OnCast();          // OK button or Enter
    void OnMomentEdited();  // time or place typed, 真太阳时 clicked
    void OnListChosen();    // a list chosen by hand
    void ShowAbout();       // "关于 Qelvar排盘(&A)..."
    bool SaveToLibrary();   // "存入命例库": true when the birth was kept
    void OpenLibrary();     // "命例库..."
    void ShowRecent();      // "最近...": the last ten births cast
    void ShowSettings();    // "设置..."
    // Esc and the close box: with unsaved typed data, asks first
    // (保存到命例库 / 放弃 / 取消).
    void reject() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BindControls();
    void FillLists();
    void SetPlaceholders();
    void ReadForm();
    void WriteForm();
    void WriteMoment();
    void CompletePlaces();
    void OpenEmptyList();
    void ShowDateProblem(bool lunarChanged);
    void FitMomentLine();

    BirthData& m_birth;
    BirthForm m_form;
    MomentEntry m_entry;
    std::string ChartCaptionText() const;
    void Typed() { m_typed = true; }

    ChartOpener m_openChart = [this](const BirthData& birth) {
        OpenChartWindow(birth, ChartCaptionText(), [this] { SaveToLibrary(); });
    };
    std::optional<library::Record> m_editing;  // the record 存入命例库 changes
    bool m_typed = false;                      // typed since opened or saved
    bool m_lunarTyped = false;                 // the date was last given by the lunar picker

    GregorianDateEdit* m_dateSolar = nullptr;  // 1001
    LunarDateEdit* m_dateLunar = nullptr;      // 1002
    QLabel* m_staticLunar = nullptr;           // 1003
    QCheckBox* m_checkLeap = nullptr;          // 1004
    QComboBox* m_comboHour = nullptr;          // 1006
    QRadioButton* m_btnMale = nullptr;         // 1007
    QComboBox* m_comboMinute = nullptr;        // 1009
    QLineEdit* m_editTime = nullptr;           // 1010
    QLineEdit* m_editPlace = nullptr;          // 1011
    QCheckBox* m_checkSolarTime = nullptr;     // 1013
    ItemWrapLabel* m_staticMoment = nullptr;   // 1014
    QLineEdit* m_editName = nullptr;           // 1015
    int m_nMomentHeight = 0;                   // 1014 in the template
};

}  // namespace qelvar
