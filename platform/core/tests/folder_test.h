#pragma once
// A fixture whose every test gets a folder of its own, so that tests can run side by side, with
// helpers that write and read whole files in it.

#include "platform/core/byte_file.h"
#include "testsupport/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform::core::test {

class FolderTest : public ::testing::Test {
protected:
    // The folder's name begins with prefix.
    explicit FolderTest(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        folder_.emplace(prefix_);
        ASSERT_FALSE(folder_->Path().empty());
        dir_ = folder_->Path();
    }
    void TearDown() override { folder_.reset(); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string BytesOf(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
        return std::string(bytes.begin(), bytes.end());
    }

    std::filesystem::path dir_;

private:
    std::string prefix_;
    std::optional<testsupport::TempFolder> folder_;
};

} // namespace platform::core::test
