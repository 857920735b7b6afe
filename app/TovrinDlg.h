#pragma once
// CTovrinDlg: the birth-data form (template 102), the main window.  It
// mirrors the BirthForm model: every event copies the controls into the
// model, runs one of its operations and copies the model back.

#include <QDialog>
#include <chrono>
#include <functional>

#include "app/BirthForm.h"
#include "app/MomentEntry.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
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
    // The chart window, its caption told how the clock time was read.
    static void OpenChartWindow(const BirthData& birth, const std::string& momentText);

public slots:
    void OnSolarChanged();  // picker 1001 changed
    void OnLunarChanged();  // picker 1002 changed or 闰月 clicked
    void OnCast();          // OK button or Enter
    void OnMomentEdited();  // time or place typed, 真太阳时 clicked
    void OnListChosen();    // a list chosen by hand
    void ShowAbout();       // "关于 Qelvar排盘(&A)..."

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BindControls();
    void FillLists();
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
    ChartOpener m_openChart = [this](const BirthData& birth) {
        OpenChartWindow(birth, MomentCaption(m_entry));
    };

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
    int m_nMomentHeight = 0;                   // 1014 in the template
};

}  // namespace qelvar
