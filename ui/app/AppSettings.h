#pragma once
// What the desktop program keeps between runs, in one INI file:
// $XDG_CONFIG_HOME/qelvar/qelvar.ini (~/.config/qelvar/qelvar.ini).  The
// chart conventions, the last place typed, window geometry, the library
// window's last search and sort, and the last ten births cast.

#include <QString>
#include <QStringList>
#include <vector>

#include "library/Record.h"
#include "periods/Conventions.h"

class QSettings;
class QWidget;

namespace qelvar {

// The settings file, opened on first use.
QSettings& AppSettings();

ChartConventions LoadConventions();
void SaveConventions(const ChartConventions& conventions);

QString LoadLastPlace();
void SaveLastPlace(const QString& place);

// A top-level window's size and place under `key`.
void RestoreGeometry(QWidget& window, const QString& key);
void SaveGeometry(const QWidget& window, const QString& key);

// The recent births, newest first, at most kRecentKept; a birth cast again
// moves to the front.
inline constexpr int kRecentKept = 10;
std::vector<library::Record> LoadRecentBirths();
void RememberBirth(const library::Record& record);

}  // namespace qelvar
