#include "checker/exe_folder_file_system.h"

namespace {

bool IsDriveRoot(WStringView folder) {
    return folder.size() == 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
}

WChar FoldAscii(WChar c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<WChar>(c + ('a' - 'A')) : c;
}

// A drive letter is the same in either case; the rest of a folder is compared as written,
// as a Linux path must be.
bool StartsWithFolder(WStringView text, WStringView folder) {
    if (text.size() < folder.size()) return false;
    for (size_t i = 0; i < folder.size(); ++i) {
        const bool letter = i == 0 && IsDriveRoot(folder);
        if (letter ? FoldAscii(text[i]) != FoldAscii(folder[i]) : text[i] != folder[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

CExeFolderFileSystem::CExeFolderFileSystem(IFileSystem& inner, WString checkedFolder,
                                           WString launcherFolder, ILetterCaseFinder* letterCase)
    : m_inner(inner),
      m_strChecked(std::move(checkedFolder)),
      m_strLauncher(std::move(launcherFolder)),
      m_pLetterCase(letterCase) {}

CExeFolderFileSystem::Place CExeFolderFileSystem::Locate(const WString& text) const {
    Place place;
    WStringView rest;
    if (StartsWithFolder(text, m_strLauncher)) {
        rest = WStringView(text).substr(m_strLauncher.size());
    } else if (IsRelative(text)) {
        rest = text;
    } else if (IsDriveRoot(m_strLauncher) && !text.empty() && text[0] == '\\' &&
               (text.size() < 2 || text[1] != '\\')) {
        rest = WStringView(text).substr(1);  // the root of the current drive: the disc's
    } else {
        place.strLauncher = text;
        place.strChecked = text;
        return place;
    }
    place.strLauncher = m_strLauncher + WString(rest);
    place.strChecked = m_strChecked + WString(rest);
    place.bInFolder = true;
    return place;
}

WString CExeFolderFileSystem::FindOtherCase(const WString& text, const Place& place) {
    WString found;
    if (m_pLetterCase == nullptr || !m_pLetterCase->FindIgnoringCase(place.strChecked, found)) {
        return {};
    }
    // Shown as the launcher would show it: with its folder, or as relative as the text.
    WString seen = found;
    if (place.bInFolder && found.compare(0, m_strChecked.size(), m_strChecked) == 0) {
        const WString rest = found.substr(m_strChecked.size());
        seen = IsRelative(text) ? rest : m_strLauncher + rest;
    }
    m_otherCase[text] = seen;
    return found;
}

bool CExeFolderFileSystem::FindMatch(const WString& text) {
    const Place place = Locate(text);
    if (!IsSearchable(place.strLauncher)) return false;
    if (m_inner.ExistsAtAnyLength(place.strChecked)) return true;
    const WString found = FindOtherCase(text, place);
    return !found.empty() && m_inner.ExistsAtAnyLength(found);
}

bool CExeFolderFileSystem::MeasureFile(const WString& path, uint64_t& size) {
    const Place place = Locate(path);
    if (!IsSearchable(place.strLauncher)) return false;
    if (m_inner.FileSizeAtAnyLength(place.strChecked, size)) return true;
    // Found as written but not measurable (a folder, a locked file): so it stays.
    if (m_inner.ExistsAtAnyLength(place.strChecked)) return false;
    const WString found = FindOtherCase(path, place);
    return !found.empty() && m_inner.FileSizeAtAnyLength(found, size);
}

WString CExeFolderFileSystem::CheckedPath(const WString& text) {
    const Place place = Locate(text);
    if (m_inner.ExistsAtAnyLength(place.strChecked)) return place.strChecked;
    const WString found = FindOtherCase(text, place);
    return found.empty() ? place.strChecked : found;
}

bool CExeFolderFileSystem::Copy(const WString& from, const WString& to, bool failIfExists) {
    return m_inner.Copy(Locate(from).strChecked, Locate(to).strChecked, failIfExists);
}

WString CExeFolderFileSystem::OtherLetterCase(const WString& text) const {
    const auto it = m_otherCase.find(text);
    return it != m_otherCase.end() ? it->second : WString();
}
