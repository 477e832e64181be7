#include "examples_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace mirel::shell {

std::string examplesFolder() {
    const QDir installed(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/mirelsim/examples"));
    if (installed.exists())
        return QFile::encodeName(installed.canonicalPath()).toStdString();
    return MIRELSIM_SOURCE_EXAMPLES;
}

QStringList examplePrograms(const std::string& folder) {
    const QDir dir(QFile::decodeName(QByteArray::fromStdString(folder)));
    return dir.entryList({QStringLiteral("*.mrl")}, QDir::Files | QDir::Readable, QDir::Name);
}

} // namespace mirel::shell
