// Date-time texts and directory creation.
#include "Harness.h"
#include <KestrelUtil.h>
#include <ctime>
#include <string>

namespace {

__int64 Standard(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = 0;
    return _mktime64(&t);
}

TEST(DateTimeTest, TextReadsAsLocalStandardTime)
{
    EXPECT_EQ(Standard(2010, 6, 15, 8, 30, 0), DATETIME_timet(L"2010-06-15 08:30:00"));
    EXPECT_EQ(Standard(1999, 12, 31, 23, 59, 59), DATETIME_timet(L"1999-12-31 23:59:59"));
    // Out-of-range fields roll over: day 0 is the last day of the month before.
    EXPECT_EQ(DATETIME_timet(L"2010-06-30 00:00:00"), DATETIME_timet(L"2010-07-00 00:00:00"));
    EXPECT_EQ(DATETIME_timet(L"2010-06-15 08:30:00") + 60, DATETIME_timet(L"2010-06-15 08:30:60"));
}

TEST(DateTimeTest, MissingSeparatorsGiveMinusOneFields)
{
    // No blank: day, hour and minute are -1, and the second comes from what follows the month.
    EXPECT_EQ(Standard(2010, 6, -1, -1, -1, 15), DATETIME_timet(L"2010-06-15"));
    EXPECT_EQ(-1, DATETIME_timet(L"1960-01-01 00:00:00"));
    EXPECT_EQ(-1, DATETIME_timet(nullptr));
}

class DirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
        base = std::wstring(temp) + L"kestrel_dirs_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
               std::to_wstring(::GetTickCount());
        ASSERT_TRUE(::CreateDirectoryW(base.c_str(), nullptr));
    }
    void TearDown() override { Remove(base); }

    static bool IsDirectory(const std::wstring& p)
    {
        DWORD a = ::GetFileAttributesW(p.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    static void Remove(const std::wstring& dir)
    {
        WIN32_FIND_DATAW fd;
        HANDLE h = ::FindFirstFileW((dir + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring full = dir + L"\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(full);
                else ::DeleteFileW(full.c_str());
            } while (::FindNextFileW(h, &fd));
            ::FindClose(h);
        }
        ::RemoveDirectoryW(dir.c_str());
    }

    std::wstring base;
};

TEST_F(DirectoryTest, MissingParentsAreCreatedOutsideIn)
{
    const std::wstring nested = base + L"\\a\\b\\c";
    EXPECT_FALSE(ConfirmDirectory(nested.c_str(), FALSE));
    EXPECT_FALSE(IsDirectory(base + L"\\a"));

    EXPECT_TRUE(ConfirmDirectory((nested + L"\\").c_str(), TRUE));
    EXPECT_TRUE(IsDirectory(base + L"\\a"));
    EXPECT_TRUE(IsDirectory(base + L"\\a\\b"));
    EXPECT_TRUE(IsDirectory(nested));

    // Forward slashes, no trailing separator, one existing parent.
    EXPECT_TRUE(ConfirmDirectory((base + L"\\a/x/y").c_str(), TRUE));
    EXPECT_TRUE(IsDirectory(base + L"\\a\\x\\y"));
    EXPECT_TRUE(ConfirmDirectory(nested.c_str(), FALSE));
}

TEST_F(DirectoryTest, AnExistingFileCountsAndIsLeftAsItIs)
{
    const std::wstring file = base + L"\\note.txt";
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    ::CloseHandle(h);
    EXPECT_TRUE(ConfirmDirectory(file.c_str(), FALSE));
    EXPECT_TRUE(ConfirmDirectory(file.c_str(), TRUE));
    EXPECT_FALSE(IsDirectory(file));
    // Below a file nothing can be made.
    EXPECT_FALSE(ConfirmDirectory((file + L"\\sub").c_str(), TRUE));
}

TEST_F(DirectoryTest, SingleNameIsCreatedInTheCurrentDirectory)
{
    wchar_t previous[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(base.c_str()));
    EXPECT_TRUE(ConfirmDirectory(L"single", TRUE));
    ::SetCurrentDirectoryW(previous);
    EXPECT_TRUE(IsDirectory(base + L"\\single"));
    EXPECT_FALSE(ConfirmDirectory(nullptr, TRUE));
}

}  // namespace
