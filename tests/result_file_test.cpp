// Facts about how the result file reaches the disk: all of it or none of it, and
// never at the cost of an earlier result.
#include "dialogue/result_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zelm {
namespace {

namespace fs = std::filesystem;

constexpr ChartInputs traced_run{30.0F, 2.0F, 2.5F, 20.0F, 1.0F, 1.5F};

class ResultFile : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("zelm-result-file-") + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path target() const { return folder_ / result_file_name; }

    static std::string read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(ResultFile, WritesHeaderAndRows) {
    const auto report = write_result_file(target(), traced_run);
    ASSERT_FALSE(report.failure) << *report.failure;
    EXPECT_FALSE(report.empty_angle_cells);
    const std::string text = read(target());
    EXPECT_EQ(text.rfind("Par\xE0metres\t", 0), 0U);
    EXPECT_NE(text.find("\r\n 2,00\t 0,38\t 0,69\t86\t\r\n 3,00\t"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 26), "\r\n 20,00\t 0,38\t 0,07\t31\t\r\n");
    EXPECT_EQ(entries(), 1U);  // no temporary file beside it
}

TEST_F(ResultFile, ReplacesAnEarlierResult) {
    write(target(), "an earlier and much longer result that must not leave a tail behind\r\n");
    ASSERT_FALSE(write_result_file(target(), traced_run).failure);
    EXPECT_EQ(read(target()).rfind("Par\xE0metres\t", 0), 0U);
    EXPECT_EQ(entries(), 1U);
}

TEST_F(ResultFile, AFolderInThePlaceOfTheResultIsAFailure) {
    fs::create_directory(target());
    const auto report = write_result_file(target(), traced_run);
    ASSERT_TRUE(report.failure.has_value());
    EXPECT_FALSE(report.failure->empty());
    EXPECT_TRUE(fs::is_directory(target()));
    EXPECT_EQ(entries(), 1U);
}

TEST_F(ResultFile, AMissingFolderIsAFailure) {
    const auto report = write_result_file(folder_ / "missing" / result_file_name, traced_run);
    ASSERT_TRUE(report.failure.has_value());
    EXPECT_EQ(entries(), 0U);
}

TEST_F(ResultFile, ReportsRowsWithoutAnAngle) {
    const auto report = write_result_file(target(), {10.0F, 2.0F, 2.5F, 3.0F, 1.0F, 1.2F});
    ASSERT_FALSE(report.failure);
    EXPECT_TRUE(report.empty_angle_cells);
    EXPECT_EQ(report.x, 0.15F);
    EXPECT_NE(read(target()).find(" 1,00\t 0,15\t 4,54\t\t\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zelm
