#include "examples_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace mirel::shell {

std::string examplesFolder() {
    const QDir installed(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/mirelsim/examples"));
    if (installed.exists())
        return QFile::encodeName(installed.canonicalPath()).toStdString();
    return MIRELSIM_SOURCE_EXAMPLES;
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

} // namespace mirel::shell
