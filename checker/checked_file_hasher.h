// Hashing the files the launcher will check, where the checker finds them: the launcher's
// E:\soft\a.exe is hashed in the checked folder. Each file is hashed once per run.
#pragma once

#include <map>
#include <optional>

#include "checker/exe_folder_file_system.h"
#include "ops/file_hasher.h"

class CCheckedFileHasher final : public IFileHasher {
public:
    CCheckedFileHasher(CExeFolderFileSystem& files, IFileHasher& inner)
        : m_files(files), m_inner(inner) {}

    // The path is the launcher's; one thread only, unlike the platform's hashers.
    std::optional<Sha256Digest> HashFile(const WString& path) override {
        const WString checked = m_files.CheckedPath(path);
        const auto known = m_digests.find(checked);
        if (known != m_digests.end()) return known->second;
        const std::optional<Sha256Digest> digest = m_inner.HashFile(checked);
        m_digests.emplace(checked, digest);
        return digest;
    }

private:
    CExeFolderFileSystem& m_files;
    IFileHasher& m_inner;
    std::map<WString, std::optional<Sha256Digest>> m_digests;
};
