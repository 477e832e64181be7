#pragma once

#include <cstdint>
#include <string>

namespace mirel::shell {

// The machine-wide registry hive where the system-information tool is found.
enum class KeyRoot { LocalMachine };

// The registry's value types that the About dialog reads.
inline constexpr std::uint32_t registryString = 1;
inline constexpr std::uint32_t registryNumber = 4; // 32 bits, low byte first

// What the About dialog needs of the operating system: two registry values,
// a file-exists test and starting a program that it does not wait for.
class SystemTools {
public:
    using Key = std::uintptr_t;
    virtual ~SystemTools() = default;
    virtual bool openKey(KeyRoot root, const std::string& path, Key& key) = 0;
    // The value's type and its raw bytes.
    virtual bool queryValue(Key key, const std::string& name, std::uint32_t& type,
                            std::string& bytes) = 0;
    virtual void closeKey(Key key) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool startProgram(const std::string& path) = 0;
};

} // namespace mirel::shell
