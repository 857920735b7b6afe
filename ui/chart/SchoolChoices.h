#pragma once
// The school readings as a block of the settings dialog: a preset list
// (默认 / 通行) and one list per choice, each showing the choice's values;
// picking a preset sets every list, changing a list afterwards overrides
// it.  LoadSchool/SaveSchool keep the choices in the settings file under
// "school/<choice>" by the names the command line uses.

#include <QWidget>

#include "chart/School.h"

class QComboBox;
class QSettings;

namespace qelvar {

class SchoolChoices : public QWidget {
    Q_OBJECT
public:
    explicit SchoolChoices(QWidget* parent = nullptr);
    School Value() const;
    void SetValue(const School& school);

signals:
    void Changed();

private:
    QComboBox* m_preset = nullptr;
    QComboBox* m_kuiYue = nullptr;
    QComboBox* m_tianMa = nullptr;
    QComboBox* m_bodyRulerZi = nullptr;
    QComboBox* m_jieKong = nullptr;
    QComboBox* m_geng = nullptr;
    QComboBox* m_wu = nullptr;
    QComboBox* m_ren = nullptr;
    QComboBox* m_godNames = nullptr;
    QComboBox* m_stars = nullptr;
};

// A name not known (an edited or older file) reads as the default.
School LoadSchool(QSettings& settings);
void SaveSchool(QSettings& settings, const School& school);

}  // namespace qelvar
