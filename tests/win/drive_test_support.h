// Tests on the test drives, G: (a disk) and E:, F: (CD-ROM drives): each test works in a folder
// of its own, <suite folder>\<test name> on every drive, made empty before it and removed after.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/utf.h"
#include "tests/win/main/test_medium.h"

class DriveFoldersTest : public ::testing::Test {
protected:
    explicit DriveFoldersTest(const wchar_t* pszSuite) : m_suite(pszSuite) {}

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        relative = m_suite + L"\\" + Utf8ToWide(info->name());
        for (const wchar_t* drive : kDrives) {
            ::CreateDirectoryW((drive + m_suite).c_str(), nullptr);
            testmedium::RemoveTree(drive + relative + L"\\");
            ASSERT_TRUE(::CreateDirectoryW((drive + relative).c_str(), nullptr))
                << WideToUtf8(drive + relative);
        }
        disk = L"G:\\" + relative;
    }
    void TearDown() override {
        for (const wchar_t* drive : kDrives) testmedium::RemoveTree(drive + relative + L"\\");
    }

    std::wstring relative;  // <suite folder>\<test name>
    std::wstring disk;      // G:\<suite folder>\<test name>

private:
    static constexpr const wchar_t* kDrives[] = {L"G:\\", L"E:\\", L"F:\\"};
    std::wstring m_suite;
};
