#include "examples_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace mirel::shell {

namespace {
// <bindir>/../share/mirelsim/<name> when installed, else `sourceFolder`.
std::string sharedFolder(const QString& name, const char* sourceFolder) {
    const QDir installed(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/mirelsim/") + name);
    if (installed.exists())
        return QFile::encodeName(installed.canonicalPath()).toStdString();
    return sourceFolder;
}
} // namespace

std::string examplesFolder() {
    return sharedFolder(QStringLiteral("examples"), MIRELSIM_SOURCE_EXAMPLES);
}

QStringList examplePrograms(const std::string& folder) {
    const QDir dir(QFile::decodeName(QByteArray::fromStdString(folder)));
    return dir.entryList({QStringLiteral("*.mrl")}, QDir::Files | QDir::Readable, QDir::Name);
}

std::string exercisesFolder() {
    return sharedFolder(QStringLiteral("exercises"), MIRELSIM_SOURCE_EXERCISES);
}

} // namespace mirel::shell
