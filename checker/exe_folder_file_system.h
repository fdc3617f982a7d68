// The file system as the launcher on Windows finds it, started from its own folder (a double
// click, AutoPlay): the current directory is then that folder, typically the root of the
// disc, such as E:\. The checker runs elsewhere, maybe on a copy of the medium, so it looks
// for what the launcher will look for where the checked files are:
// - the launcher's folder ("%CurrDir%") and texts relative to it lead to the checked folder;
// - the 260-unit limit counts the text as the launcher sees it, not the checked path;
// - where the file system tells letter case apart, a name that differs only in letter case
//   is found, as on Windows, and remembered.
#pragma once

#include <map>

#include "app/wstring.h"
#include "checker/letter_case.h"
#include "ops/file_system.h"

class CExeFolderFileSystem final : public IFileSystem {
public:
    // Both folders end in a backslash; they may be the same. The finder may be null.
    CExeFolderFileSystem(IFileSystem& inner, WString checkedFolder, WString launcherFolder,
                         ILetterCaseFinder* letterCase);

    // True for a text that names no drive and does not start at a root: "soft\a.exe", not
    // "E:\soft\a.exe", "\soft\a.exe", "\\server\share" or "C:a.exe".
    static bool IsRelative(WStringView text) {
        if (text.empty() || text[0] == '\\' || text[0] == '/') return false;
        return !(text.size() >= 2 && text[1] == ':');
    }

    // For a text found only in other letter case: the name found, as the launcher would see
    // it; empty otherwise.
    WString OtherLetterCase(const WString& text) const;

    // Where the checker finds the file the launcher knows by this text: in the checked
    // folder for a text in the launcher's folder or relative to it, with the name found in
    // other letter case where only that exists.
    WString CheckedPath(const WString& text);

    unsigned DriveType(const WString& root) override { return m_inner.DriveType(root); }
    bool Copy(const WString& from, const WString& to, bool failIfExists) override;

protected:
    bool FindMatch(const WString& text) override;
    bool MeasureFile(const WString& path, uint64_t& size) override;

private:
    struct Place {
        WString strLauncher;     // the text as the launcher uses it, with its folder in front
        WString strChecked;      // where the checker looks
        bool bInFolder = false;  // in the launcher's folder or relative to it
    };
    Place Locate(const WString& text) const;
    // The checked path found in other letter case, for the text; empty when none.
    WString FindOtherCase(const WString& text, const Place& place);

    IFileSystem& m_inner;
    WString m_strChecked;
    WString m_strLauncher;
    ILetterCaseFinder* m_pLetterCase;
    std::map<WString, WString> m_otherCase;  // text -> the name found, as the launcher sees it
};
