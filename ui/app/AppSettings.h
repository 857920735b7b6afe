#pragma once
// What the desktop program keeps between runs, in one INI file:
// $XDG_CONFIG_HOME/qelvar/qelvar.ini (~/.config/qelvar/qelvar.ini).  The
// chart conventions with the school readings, the chart's palette, zoom and
// view, the language, the last place typed, window geometry, the library
// window's last search and sort, and the last ten births cast.  Values an
// older version kept in Tovrin/Qelvar.conf are read from there once.

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
// Where it is: $XDG_CONFIG_HOME/qelvar/qelvar.ini.
QString AppSettingsPath();
// Writes the file and opens it again, as the next start of the program
// would (for tests).
void ReopenAppSettings();

// The chart's palette and the zoom chart windows open at (0: the largest
// step that fits the screen).
bool LoadClearPalette();
void SaveClearPalette(bool clear);
double LoadChartZoom();
void SaveChartZoom(double zoom);

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
