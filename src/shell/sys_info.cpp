#include "sys_info.h"

#include <cstdint>

namespace mirel::shell {

namespace {
constexpr const char* sysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* sysInfoValue = "PATH";
constexpr const char* sysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* sysInfoLocationValue = "MSINFO";
constexpr const char* sysInfoProgram = "\\MSINFO32.EXE";

constexpr std::size_t valueBufferSize = 1024;

// The four bytes of a registry number, low byte first. Each byte counts with
// its place, zero bytes included.
std::string numberText(const std::string& bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return std::to_string(value);
}
} // namespace

bool GetKeyValue(SystemTools& tools, KeyRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    SystemTools::Key key = 0;
    if (!tools.openKey(KeyRoot, KeyName, key)) {
        KeyVal.clear();
        return false;
    }
    std::uint32_t type = 0;
    std::string bytes;
    const bool read = tools.queryValue(key, SubKeyRef, type, bytes);
    tools.closeKey(key);
    if (!read) {
        KeyVal.clear();
        return false;
    }
    bytes.resize(std::min(bytes.size(), valueBufferSize));
    if (type == registryString)
        KeyVal = bytes.substr(0, bytes.find('\0'));
    else if (type == registryNumber)
        KeyVal = numberText(bytes);
    return true;
}

void StartSysInfo(SystemTools& tools, state::MessageBoxService& messages) {
    std::string path;
    bool found = GetKeyValue(tools, KeyRoot::LocalMachine, sysInfoKey, sysInfoValue, path);
    if (!found &&
        GetKeyValue(tools, KeyRoot::LocalMachine, sysInfoLocationKey, sysInfoLocationValue, path)) {
        path += sysInfoProgram;
        found = tools.fileExists(path);
    }
    if (found && tools.startProgram(path))
        return;
    messages.show("System Information Is Unavailable At This Time", state::applicationTitle,
                  state::MessageIcon::None);
}

} // namespace mirel::shell
