// Date-time texts and directory creation.
#include "Harness.h"
#include <KestrelUtil.h>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// _mktime64 of a local time taken as standard time.
__int64 Standard(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t{};
    t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = day;
    t.tm_hour = hour, t.tm_min = minute, t.tm_sec = second;
    return _mktime64(&t);
}

TEST(DateTimeTest, TextReadsAsLocalStandardTime)
{
    EXPECT_EQ(Standard(2010, 6, 15, 8, 30, 0), DATETIME_timet(L"2010-06-15 08:30:00"));
    // Out-of-range fields roll over: day 0 is the last day of the month before.
    EXPECT_EQ(DATETIME_timet(L"2010-06-30 00:00:00"), DATETIME_timet(L"2010-07-00 00:00:00"));
    // No blank: day, hour and minute are -1, and the second comes from what follows the month.
    EXPECT_EQ(Standard(2010, 6, -1, -1, -1, 15), DATETIME_timet(L"2010-06-15"));
    EXPECT_EQ(-1, DATETIME_timet(L"1960-01-01 00:00:00"));
}

class DirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = fs::temp_directory_path() / (L"kestrel_dirs_" + std::to_wstring(::GetCurrentProcessId()));
        fs::remove_all(base);  // a leftover of an aborted run
        ASSERT_TRUE(fs::create_directory(base));
    }
    void TearDown() override { fs::remove_all(base); }

    fs::path base;
};

TEST_F(DirectoryTest, MissingParentsAreCreatedOnlyWhenAsked)
{
    const std::wstring nested = base.wstring() + L"\\a\\b\\c";
    EXPECT_FALSE(ConfirmDirectory(nested.c_str(), FALSE));
    EXPECT_FALSE(fs::exists(base / L"a"));

    EXPECT_TRUE(ConfirmDirectory((nested + L"\\").c_str(), TRUE));
    EXPECT_TRUE(fs::is_directory(base / L"a" / L"b"));
    EXPECT_TRUE(fs::is_directory(nested));

    // Forward slashes, no trailing separator, one existing parent.
    EXPECT_TRUE(ConfirmDirectory((base.wstring() + L"\\a/x/y").c_str(), TRUE));
    EXPECT_TRUE(fs::is_directory(base / L"a" / L"x" / L"y"));
    EXPECT_TRUE(ConfirmDirectory(nested.c_str(), FALSE));
}

TEST_F(DirectoryTest, AnExistingFileCountsAndASingleNameLandsInTheCurrentDirectory)
{
    const fs::path file = base / L"note.txt";
    std::ofstream(file) << "note";
    EXPECT_TRUE(ConfirmDirectory(file.c_str(), TRUE));
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_FALSE(ConfirmDirectory((file / L"sub").c_str(), TRUE));  // nothing can be made below a file

    const fs::path previous = fs::current_path();
    fs::current_path(base);
    EXPECT_TRUE(ConfirmDirectory(L"single", TRUE));
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_directory(base / L"single"));
}

}  // namespace
