// CString, the arrays and the worker-thread helper.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "fw/arrays.h"
#include "fw/text.h"
#include "fw/thread.h"

namespace {

TEST(FwText, FormatUsesTheWindowsConversions) {
    CString s;
    s.Format(L"%s (%d款)", L"办公软件", 3);
    EXPECT_EQ(s, L"办公软件 (3款)");
    s.Format(L"正在安装...%.1f%% %s", 100.0f * 1 / 3, L"E:\\soft\\a.exe");
    EXPECT_EQ(s, L"正在安装...33.3% E:\\soft\\a.exe");
    s.Format(L"%.2f MB", 1572864 * (1.0 / 1048576));
    EXPECT_EQ(s, L"1.50 MB");
    // Longer than any first guess.
    const std::wstring longText(5000, L'字');
    s.Format(L"<%s>", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    s.Format(L"");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(FwText, PartsAndSearchesClampLikeTheWindowsExpect) {
    const CString s(L"E:\\Soft\\qq\\setup.exe");
    EXPECT_EQ(s.ReverseFind(L'\\'), 10);
    EXPECT_EQ(s.Mid(s.ReverseFind(L'\\') + 1), L"setup.exe");
    EXPECT_EQ(s.Left(2), L"E:");
    EXPECT_EQ(s.Right(3), L"exe");
    EXPECT_EQ(s.Left(100), s);
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Right(100), s);
    EXPECT_EQ(s.Mid(100), L"");
    EXPECT_EQ(s.Mid(3, 4), L"Soft");
    EXPECT_EQ(s.Mid(-5, 2), L"E:");
    EXPECT_EQ(s.Find(L'\\'), 2);
    EXPECT_EQ(s.Find(L'\\', 3), 7);
    EXPECT_EQ(s.Find(L"qq"), 8);
    EXPECT_EQ(s.Find(L"zz"), -1);
    EXPECT_EQ(s.Find(L"qq", 100), -1);
    EXPECT_EQ(CString(L"abc").ReverseFind(L'\\'), -1);

    CString t(L"名字很长的软件");
    EXPECT_EQ(t.Delete(t.GetLength() - 1), 6);
    EXPECT_EQ(t, L"名字很长的软");
    EXPECT_EQ(t.Delete(10), 6);
    EXPECT_EQ(t[0], L'名');
    EXPECT_THROW(t.GetAt(6), std::out_of_range);
    EXPECT_THROW(t.GetAt(-1), std::out_of_range);

    EXPECT_TRUE(CString(nullptr).IsEmpty());
    EXPECT_EQ(CString(L"a") + L"b" + CString(L"c") + L'd', L"abcd");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_EQ(CString(L"ab").Compare(L"ab"), 0);
    EXPECT_STREQ(static_cast<const wchar_t*>(CString(L"xy")), L"xy");
}

TEST(FwText, LoadStringKeepsTheTextWhenTheResourceIsMissing) {
    CString s(L"上次的内容");
    EXPECT_FALSE(s.LoadString(65001));
    EXPECT_EQ(s, L"上次的内容");
}

TEST(FwArrays, InsertPastTheEndGrowsWithDefaultsAndBadIndexesThrow) {
    CUIntArray kinds;
    // Columns numbered 0, 1, 3, 4: five elements, the skipped one zero.
    for (int col : {0, 1, 3, 4}) kinds.InsertAt(col, 7);
    ASSERT_EQ(kinds.GetSize(), 5);
    EXPECT_EQ(kinds[2], 0u);
    EXPECT_EQ(kinds[4], 7u);
    EXPECT_THROW(kinds.GetAt(5), std::out_of_range);
    EXPECT_THROW(kinds[-1], std::out_of_range);
    EXPECT_THROW(kinds.InsertAt(-1, 1), std::out_of_range);

    CStringArray rows;
    EXPECT_EQ(rows.Add(L"a"), 0);
    EXPECT_EQ(rows.Add(L"c"), 1);
    rows.InsertAt(1, L"b");
    EXPECT_EQ(rows.GetAt(1), L"b");
    rows.SetAt(2, L"C");
    rows.RemoveAt(0);
    ASSERT_EQ(rows.GetCount(), 2);
    EXPECT_EQ(rows[0], L"b");
    EXPECT_EQ(rows[1], L"C");
    EXPECT_THROW(rows.RemoveAt(1, 2), std::out_of_range);
    rows.SetSize(4);
    EXPECT_TRUE(rows[3].IsEmpty());
    CStringArray copy = rows;
    rows.RemoveAll();
    EXPECT_TRUE(rows.IsEmpty());
    EXPECT_EQ(copy.GetSize(), 4);
}

std::atomic<int> g_seen{0};
std::atomic<DWORD> g_threadId{0};

UINT RecordParam(LPVOID p) {
    g_threadId = ::GetCurrentThreadId();
    g_seen = *static_cast<int*>(p);
    return 0;
}

UINT Throw(LPVOID) {
    throw std::runtime_error("worker failure");
}

TEST(FwThread, WorkerRunsOnItsOwnThreadAndNothingWaitsForIt) {
    static int param = 42;
    ASSERT_TRUE(fw::BeginThread(RecordParam, &param));
    for (int i = 0; i < 500 && g_seen != 42; ++i) ::Sleep(5);
    EXPECT_EQ(g_seen, 42);
    EXPECT_NE(g_threadId, ::GetCurrentThreadId());
    // An exception ends the worker only.
    ASSERT_TRUE(fw::BeginThread(Throw, nullptr));
    ::Sleep(100);
    g_seen = 0;
    ASSERT_TRUE(fw::BeginThread(RecordParam, &param));
    for (int i = 0; i < 500 && g_seen != 42; ++i) ::Sleep(5);
    EXPECT_EQ(g_seen, 42);
    EXPECT_FALSE(fw::BeginThread(nullptr, nullptr));
}

}  // namespace
