// The settings file itself: opened on first use, with the values of the
// older file read into it once.  Apart from the rest of the settings so
// that the chart picture's language (which qelvar-cli render links too)
// can read it.
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "ui/app/AppSettings.h"

namespace qelvar {

namespace {

std::unique_ptr<QSettings>& Opened() {
    static std::unique_ptr<QSettings> settings;
    return settings;
}

QString ConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// Earlier versions kept the chart's view and the language in
// Tovrin/Qelvar.conf.  Its values are read once, each only where the file
// has none of its own; the old file is left as it is.
void ReadOldFileOnce(QSettings& settings) {
    const QString done = QStringLiteral("settings/oldFileRead");
    if (settings.value(done, false).toBool()) return;
    const QString old = QDir(ConfigFolder()).filePath(QStringLiteral("Tovrin/Qelvar.conf"));
    if (QFileInfo::exists(old)) {
        const QSettings oldSettings(old, QSettings::IniFormat);
        for (const QString& key : oldSettings.allKeys())
            if (!settings.contains(key)) settings.setValue(key, oldSettings.value(key));
    }
    settings.setValue(done, true);
    settings.sync();
}

}  // namespace

QString AppSettingsPath() {
    return QDir(ConfigFolder()).filePath(QStringLiteral("qelvar/qelvar.ini"));
}

QSettings& AppSettings() {
    std::unique_ptr<QSettings>& settings = Opened();
    if (!settings) {
        settings = std::make_unique<QSettings>(AppSettingsPath(), QSettings::IniFormat);
        ReadOldFileOnce(*settings);
    }
    return *settings;
}

void ReopenAppSettings() {
    if (Opened()) Opened()->sync();
    Opened().reset();
}

}  // namespace qelvar
