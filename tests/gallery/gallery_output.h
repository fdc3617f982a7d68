// What every gallery program does with its pictures: saves them as PNG files into the folder
// named by its first argument, says where, and counts what it could not save or show.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/gallery/png_writer.h"

namespace gallery {

class Output {
public:
    explicit Output(const wchar_t* pszProgram) : m_program(pszProgram) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Takes the output folder from argv[1] and makes it; false, after the usage line, when the
    // program was given fewer than nArgs arguments.
    bool Begin(int argc, wchar_t** argv, int nArgs, const wchar_t* pszArgs) {
        if (argc < nArgs + 1) {
            std::fwprintf(stderr, L"usage: %ls %ls\n", m_program, pszArgs);
            return false;
        }
        m_folder = argv[1];
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        return true;
    }

    void Save(const wchar_t* name, const uitest::Pixels& px) {
        const std::wstring path = m_folder + L"\\" + name + L".png";
        if (px.Empty() || !WritePng(path, px)) {
            Fail((L"could not save " + path).c_str());
            return;
        }
        std::wprintf(L"%ls (%d x %d)\n", path.c_str(), px.Width(), px.Height());
    }

    void Fail(const wchar_t* pszWhat) {
        std::fwprintf(stderr, L"%ls: %ls\n", m_program, pszWhat);
        ++m_failures;
    }

    int ExitCode() const { return m_failures ? 1 : 0; }

private:
    const wchar_t* m_program;
    std::wstring m_folder;
    int m_failures = 0;
};

}  // namespace gallery
