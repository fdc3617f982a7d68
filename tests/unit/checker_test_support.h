// Shared by the checker's tests: checking a catalogue given as UTF-8 text, and findings in a
// compact form that a test compares whole.
#pragma once

#include <string>
#include <vector>

#include "app/file_name_case.h"
#include "app/utf.h"
#include "checker/catalogue_check.h"
#include "checker/json_report.h"
#include "checker/letter_case.h"
#include "ops/file_system.h"
#include "tests/unit/memory_file_system.h"

// The in-memory files as a file system that tells letter case apart would find them
// ignoring it.
class LetterCaseFinder final : public MemoryFileSystem, public ILetterCaseFinder {
public:
    bool FindIgnoringCase(const WString& text, WString& found) override {
        for (const auto& [path, size] : m_files) {
            if (FoldFileNameCase(path) == FoldFileNameCase(text)) {
                found = path;
                return true;
            }
        }
        return false;
    }
};

// The catalogue's bytes as they are; the exe folder defaults to E:\, as on a disc, and the
// launcher sees it as it is unless another folder is given. Listed files are hashed with the
// hasher given, else with the platform's.
inline CheckReport CheckText(const std::string& bytes, IFileSystem& fileSystem,
                             const WString& exeFolder = WSTR("E:\\"),
                             const WString& launcherFolder = WString(),
                             ILetterCaseFinder* letterCase = nullptr,
                             IFileHasher* hasher = nullptr) {
    CheckInput input;
    input.strCatalogue = exeFolder + WSTR("Bundor.INI");
    input.strExeFolder = exeFolder;
    input.strLauncherFolder = launcherFolder;
    input.bRead = true;
    input.bytes = bytes;
    return CheckCatalogue(input, fileSystem, letterCase, hasher);
}

// "kind line [section] key", e.g. "numbering-gap 8 [Type] Sort3".
inline std::string Describe(const Finding& finding) {
    std::string text = WideToUtf8(FindingKindId(finding.kind));
    text += ' ' + std::to_string(finding.nLine);
    if (!finding.strSection.empty()) text += " [" + WideToUtf8(finding.strSection) + "]";
    if (!finding.strKey.empty()) text += ' ' + WideToUtf8(finding.strKey);
    return text;
}

// Every finding except the encoding, which nearly every test would have to repeat.
inline std::vector<std::string> Findings(const CheckReport& report) {
    std::vector<std::string> described;
    for (const Finding& finding : report.findings) {
        if (finding.kind != FindingKind::Encoding) described.push_back(Describe(finding));
    }
    return described;
}

// The first finding of a kind; fails the test when there is none.
inline const Finding& Only(const CheckReport& report, FindingKind kind, int line) {
    for (const Finding& finding : report.findings) {
        if (finding.kind == kind && finding.nLine == line) return finding;
    }
    static const Finding none;
    ADD_FAILURE() << "no " << WideToUtf8(FindingKindId(kind)) << " on line " << line;
    return none;
}

inline std::string U8(const WString& text) {
    return WideToUtf8(text);
}
