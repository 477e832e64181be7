#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace mirel::files {

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance();
        path_ = std::filesystem::temp_directory_path() /
                ("mirelsim-" + std::to_string(test->random_seed()) + "-" +
                 test->current_test_info()->test_suite_name() + "-" +
                 test->current_test_info()->name());
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return path(name);
    }
    // The file's bytes; empty for a missing file or a folder.
    static std::string read(const std::string& path) {
        if (!std::filesystem::is_regular_file(path))
            return {};
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

} // namespace mirel::files
