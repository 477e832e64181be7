#include "examples_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <filesystem>
#include <fstream>

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

// Listed by their bytes: a name decoded for showing would no longer find
// its file.
std::vector<ExampleProgram> examplePrograms(const std::string& folder) {
    std::vector<ExampleProgram> programs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code ignored;
        const std::string name = entry.path().filename().string();
        const QString shown = QFile::decodeName(QByteArray::fromStdString(name));
        if (!entry.is_regular_file(ignored) ||
            !shown.endsWith(QLatin1String(".mrl"), Qt::CaseInsensitive) ||
            !std::ifstream(entry.path()).is_open())
            continue;
        programs.push_back({shown, entry.path().string()});
    }
    std::sort(programs.begin(), programs.end(),
              [](const ExampleProgram& a, const ExampleProgram& b) { return a.name < b.name; });
    return programs;
}

std::string exercisesFolder() {
    return sharedFolder(QStringLiteral("exercises"), MIRELSIM_SOURCE_EXERCISES);
}

} // namespace mirel::shell
