#include "ops/package_check.h"

#include <algorithm>
#include <cstddef>

#include "app/file_name_case.h"
#include "ops/shell.h"

namespace {

bool IsDriveRooted(WStringView path) {
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool IsRelative(WStringView path) {
    if (path.empty() || path[0] == '\\' || path[0] == '/') return false;
    return !(path.size() >= 2 && path[1] == ':');
}

bool SameName(WStringView a, WStringView b) {
    return a.size() == b.size() && FoldFileNameCase(a) == FoldFileNameCase(b);
}

}  // namespace

bool IsRefused(PackageCheckOutcome outcome) {
    return outcome != PackageCheckOutcome::Verified && outcome != PackageCheckOutcome::NotListed;
}

bool FoundOnCdromDrive(const WString& command, IFileSystem& fileSystem) {
    if (command.find(WSTR("cdrom:\\")) == WString::npos) return false;
    for (const WString& root : CShell::DriveTable()) {
        if (fileSystem.DriveType(root) == kDriveCdRom) return true;
    }
    return false;
}

CPackageCheck::CPackageCheck() : m_pHasher(&PlatformFileHasher()) {}

CPackageCheck::CPackageCheck(const CProfile& profile, WString exeFolder, IFileHasher& hasher)
    : CPackageCheck(CCatalogueHashes(profile),
                    profile.GetInt(WSTR("Config"), kRequireHashesKey, 0) != 0, std::move(exeFolder),
                    hasher) {}

CPackageCheck::CPackageCheck(CCatalogueHashes hashes, bool bRequireHashes, WString exeFolder,
                             IFileHasher& hasher)
    : m_hashes(std::move(hashes)),
      m_bRequireHashes(bRequireHashes),
      m_strExeFolder(std::move(exeFolder)),
      m_pHasher(&hasher) {}

WString CPackageCheck::ListKeyOf(const WString& path, bool bOnCdromDrive) const {
    std::vector<WStringView> names = PathNames(path);
    if (bOnCdromDrive && IsDriveRooted(path)) {
        names.erase(names.begin());
        return JoinPathNames(names);
    }
    const std::vector<WStringView> folder = PathNames(m_strExeFolder);
    const bool inFolder = !folder.empty() && names.size() > folder.size() &&
                          !IsRelative(m_strExeFolder) &&
                          std::equal(folder.begin(), folder.end(), names.begin(), SameName);
    if (inFolder) {
        names.erase(names.begin(), names.begin() + static_cast<ptrdiff_t>(folder.size()));
        return JoinPathNames(names);
    }
    return IsRelative(path) ? JoinPathNames(names) : WString();
}

const HashListing* CPackageCheck::FindListing(const WString& path, bool bOnCdromDrive) const {
    const WString key = ListKeyOf(path, bOnCdromDrive);
    return key.empty() ? nullptr : m_hashes.Find(key);
}

PackageCheckOutcome CPackageCheck::Check(const WString& path, bool bOnCdromDrive) const {
    const HashListing* listing = FindListing(path, bOnCdromDrive);
    if (listing == nullptr) {
        return m_bRequireHashes ? PackageCheckOutcome::NotListedRefused
                                : PackageCheckOutcome::NotListed;
    }
    // A value that is not a digest cannot vouch for any file: the author meant it checked.
    if (!listing->digest) return PackageCheckOutcome::HashDiffers;
    const std::optional<Sha256Digest> digest = m_pHasher->HashFile(path);
    if (!digest) return PackageCheckOutcome::Unreadable;
    return *digest == *listing->digest ? PackageCheckOutcome::Verified
                                       : PackageCheckOutcome::HashDiffers;
}
