#pragma once
// 设置: the chart conventions and the school readings, each with what it
// changes, and the charts' palette and opening zoom; kept in the settings
// file.  OK casts and draws every open chart window again with them.

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

    // OK: the choices are saved and every open chart follows them.
    void accept() override;

private:
    QComboBox* m_lateZi = nullptr;
    QComboBox* m_leapMonth = nullptr;
    QComboBox* m_yearStart = nullptr;
    SchoolChoices* m_school = nullptr;  // the school readings
    QComboBox* m_palette = nullptr;
    QComboBox* m_zoom = nullptr;
};

}  // namespace qelvar
