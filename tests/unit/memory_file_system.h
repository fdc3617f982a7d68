// An in-memory file system for the checker's and the package size's tests: files with sizes,
// folders, and CD-ROM drives, looked up exactly (letter case counts, no wildcards).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "ops/file_system.h"

class MemoryFileSystem : public IFileSystem {
public:
    void AddFile(const WString& path, uint64_t size = 0) { m_files[path] = size; }
    void AddFolder(const WString& path) { m_folders.insert(path); }
    // A name that a search finds but that cannot be opened to be measured.
    void AddLockedFile(const WString& path) { m_locked.insert(path); }
    void AddCdrom(const WString& root) { m_cdroms.insert(root); }

    std::vector<WString> measured;  // every path given to MeasureFile, in order

    unsigned DriveType(const WString& root) override {
        return m_cdroms.count(root) ? kDriveCdRom : kDriveFixed;
    }
    bool Copy(const WString&, const WString&, bool) override { return false; }

protected:
    bool FindMatch(const WString& text) override {
        return m_files.count(text) || m_folders.count(text) || m_locked.count(text);
    }
    bool MeasureFile(const WString& path, uint64_t& size) override {
        measured.push_back(path);
        const auto it = m_files.find(path);
        if (it == m_files.end()) return false;
        size = it->second;
        return true;
    }

    std::map<WString, uint64_t> m_files;
    std::set<WString> m_folders;
    std::set<WString> m_locked;
    std::set<WString> m_cdroms;
};
