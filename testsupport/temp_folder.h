#pragma once
// Scoped test resources that fixtures kept writing by hand: a folder of the test's own and an
// environment variable changed only while the test runs. Header-only and standard-library-only
// so that any test target can use them without linking anything new.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <utility>

namespace testsupport {

// A fresh folder under the system temporary folder, removed with its contents at the end, so that
// tests running side by side never see each other's files. With QUINTARON_KEEP_TEST_FILES set
// it stays, so that a person can look at the pictures a test wrote. Path() is empty if it could
// not be made; callers assert on that because this header cannot depend on the test framework.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix) {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        if (error) return;
        std::string pattern = (base / (prefix + "XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = std::move(pattern);
    }
    ~TempFolder() {
        if (path_.empty() || std::getenv("QUINTARON_KEEP_TEST_FILES") != nullptr) return;
        // A destructor must not throw; a folder left behind is harmless.
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sets (or, given no value, unsets) one environment variable for the object's lifetime and then
// puts back the earlier value or absence, whatever was done to the variable in between.
class EnvironmentOverride {
public:
    EnvironmentOverride(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        if (value)
            ::setenv(name_.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    ~EnvironmentOverride() {
        if (old_)
            ::setenv(name_.c_str(), old_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace testsupport
