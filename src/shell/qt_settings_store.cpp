#include "qt_settings_store.h"

#include <QSettings>

#include <memory>

namespace mirel::shell {

namespace {
std::unique_ptr<QSettings> open(const QString& iniFile, const std::string& application) {
    if (!iniFile.isEmpty())
        return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    const QString name = QString::fromStdString(application);
    return std::make_unique<QSettings>(QSettings::UserScope, name, name);
}

QString key(const std::string& section, const std::string& name) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}
} // namespace

std::string QtSettingsStore::value(const std::string& application, const std::string& section,
                                   const std::string& name, const std::string& fallback) {
    const auto settings = open(iniFile_, application);
    const QVariant stored = settings->value(key(section, name));
    return stored.isValid() ? stored.toString().toStdString() : fallback;
}

void QtSettingsStore::setValue(const std::string& application, const std::string& section,
                               const std::string& name, const std::string& text) {
    const auto settings = open(iniFile_, application);
    settings->setValue(key(section, name), QString::fromStdString(text));
}

} // namespace mirel::shell
