#include "ui/app/AppSettings.h"

#include <QSettings>
#include <QWidget>

#include "chart/ChartView.h"
#include "library/RecordFormats.h"
#include "ui/chart/SchoolChoices.h"

namespace qelvar {

bool LoadClearPalette() {
    return AppSettings().value(QStringLiteral("chart/clearPalette"), false).toBool();
}

void SaveClearPalette(bool clear) {
    AppSettings().setValue(QStringLiteral("chart/clearPalette"), clear);
}

double LoadChartZoom() {
    const double zoom = AppSettings().value(QStringLiteral("chart/zoom"), 0.0).toDouble();
    return zoom > 0 ? std::clamp(zoom, kMinZoom, kMaxZoom) : 0.0;
}

void SaveChartZoom(double zoom) {
    AppSettings().setValue(QStringLiteral("chart/zoom"), zoom);
}

namespace {

std::string Stored(const QString& key, std::string_view fallback) {
    return AppSettings()
        .value(key, QString::fromUtf8(fallback.data(), static_cast<qsizetype>(fallback.size())))
        .toString()
        .toStdString();
}

QString Name(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

ChartConventions LoadConventions() {
    ChartConventions c;
    if (auto v = ParseLateZi(Stored(QStringLiteral("conventions/lateZi"), "same-day")))
        c.lateZi = *v;
    if (auto v = ParseLeapMonth(Stored(QStringLiteral("conventions/leapMonth"), "whole")))
        c.leapMonth = *v;
    if (auto v = ParseYearStart(Stored(QStringLiteral("conventions/yearStart"), "new-year")))
        c.yearStart = *v;
    c.school = LoadSchool(AppSettings());
    return c;
}

void SaveConventions(const ChartConventions& c) {
    QSettings& s = AppSettings();
    s.setValue(QStringLiteral("conventions/lateZi"), Name(ConventionName(c.lateZi)));
    s.setValue(QStringLiteral("conventions/leapMonth"), Name(ConventionName(c.leapMonth)));
    s.setValue(QStringLiteral("conventions/yearStart"), Name(ConventionName(c.yearStart)));
    SaveSchool(s, c.school);
    s.sync();
}

QString LoadLastPlace() {
    return AppSettings().value(QStringLiteral("form/lastPlace")).toString();
}

void SaveLastPlace(const QString& place) {
    AppSettings().setValue(QStringLiteral("form/lastPlace"), place);
}

void RestoreGeometry(QWidget& window, const QString& key) {
    const QByteArray g = AppSettings().value(QStringLiteral("geometry/") + key).toByteArray();
    if (!g.isEmpty()) window.restoreGeometry(g);
}

void SaveGeometry(const QWidget& window, const QString& key) {
    AppSettings().setValue(QStringLiteral("geometry/") + key, window.saveGeometry());
}

namespace {
// A birth cast without a name is kept under this one (the JSON form needs a
// name) and read back without it.
constexpr std::string_view kUnnamed = "\x01unnamed";
}  // namespace

std::vector<library::Record> LoadRecentBirths() {
    const QString json = AppSettings().value(QStringLiteral("form/recentBirths")).toString();
    if (json.isEmpty()) return {};
    library::ReadRecords read = library::ReadLibraryJson(json.toStdString());
    if (!read.ok()) return {};
    if (read.records.size() > kRecentKept) read.records.resize(kRecentKept);
    for (library::Record& r : read.records)
        if (r.name == kUnnamed) r.name.clear();
    return read.records;
}

void RememberBirth(const library::Record& record) {
    std::vector<library::Record> recent = LoadRecentBirths();
    std::erase_if(recent, [&](const library::Record& r) { return library::SameBirth(r, record); });
    recent.insert(recent.begin(), record);
    for (library::Record& r : recent)
        if (r.name.empty()) r.name = kUnnamed;
    if (recent.size() > kRecentKept) recent.resize(kRecentKept);
    AppSettings().setValue(QStringLiteral("form/recentBirths"),
                           QString::fromStdString(library::RecordsJsonArray(recent)));
    AppSettings().sync();
}

}  // namespace qelvar
