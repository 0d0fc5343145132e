#pragma once

#include <filesystem>
#include <string>

namespace lorvan::test {

// A fresh directory below the system's temporary folder, removed again at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void writeBytes(const std::string& path, const std::string& bytes);

} // namespace lorvan::test
