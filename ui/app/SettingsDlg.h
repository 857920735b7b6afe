#pragma once
// 设置: the chart conventions, each with what it changes, kept in the
// settings file and used by every chart cast from the form.

#include <QDialog>

#include "periods/Conventions.h"

class QComboBox;

namespace qelvar {

class SchoolChoices;

class SettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDlg(QWidget* parent = nullptr);
    ChartConventions Conventions() const;

    // OK: the choices are saved.
    void accept() override;

private:
    QComboBox* m_lateZi = nullptr;
    QComboBox* m_leapMonth = nullptr;
    QComboBox* m_yearStart = nullptr;
    SchoolChoices* m_school = nullptr;  // the school readings
};

}  // namespace qelvar
