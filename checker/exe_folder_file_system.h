// The file system as the launcher finds it when it is started from its own folder, by a
// double click or by AutoPlay: the current directory is then the exe folder, so a relative
// text is looked for there. The checker runs elsewhere, so it puts the folder in front.
#pragma once

#include "app/wstring.h"
#include "ops/file_system.h"

class CExeFolderFileSystem final : public IFileSystem {
public:
    CExeFolderFileSystem(IFileSystem& inner, WString exeFolder)
        : m_inner(inner), m_strExeFolder(std::move(exeFolder)) {}

    // True for a text that names no drive and does not start at a root: "soft\a.exe", not
    // "E:\soft\a.exe", "\soft\a.exe", "\\server\share" or "C:a.exe".
    static bool IsRelative(WStringView text) {
        if (text.empty() || text[0] == '\\' || text[0] == '/') return false;
        return !(text.size() >= 2 && text[1] == ':');
    }

    unsigned DriveType(const WString& root) override { return m_inner.DriveType(root); }
    bool Copy(const WString& from, const WString& to, bool failIfExists) override {
        return m_inner.Copy(Full(from), Full(to), failIfExists);
    }

protected:
    bool FindMatch(const WString& text) override { return m_inner.Exists(Full(text)); }
    bool MeasureFile(const WString& path, uint64_t& size) override {
        return m_inner.FileSize(Full(path), size);
    }

private:
    WString Full(const WString& text) const {
        return IsRelative(text) ? m_strExeFolder + text : text;
    }

    IFileSystem& m_inner;
    WString m_strExeFolder;
};
