#include "ops/shell.h"

#include <vector>

#include "app/run_options.h"
#include "ops/white_space.h"

namespace {

const WStringView kCdromMarker = WSTR("cdrom:\\");
constexpr WChar kBlank = WSTR(' ');

// The parameters split off the command go in front of those given with it. A blank keeps the
// two apart: joined directly, "/S" and "/D=x" would reach the installer as "/S/D=x".
WString JoinParams(const WString& split, const WString& given) {
    if (split.empty()) return given;
    if (given.empty()) return split;
    return split + kBlank + given;
}

// Every non-overlapping occurrence of the marker, left to right, in one pass.
WString RemoveMarkers(const WString& text) {
    WString out;
    size_t from = 0;
    for (size_t at; (at = text.find(kCdromMarker, from)) != WString::npos;
         from = at + kCdromMarker.size()) {
        out.append(text, from, at - from);
    }
    out.append(text, from);
    return out;
}

// Char-by-char construction keeps the roots independent of the literal type.
std::array<WString, 24> MakeDriveTable() {
    std::array<WString, 24> roots;
    for (size_t i = 0; i < roots.size(); ++i) {
        roots[i] = {static_cast<WChar>(WSTR('C') + i), WSTR(':'), WSTR('\\')};
    }
    return roots;
}

}  // namespace

CShell::CShell(IFileSystem& fileSystem, IProcessStarter& starter)
    : m_pFileSystem(&fileSystem), m_pStarter(&starter) {}

CShell::CShell(const WString& command, const WString& params, IFileSystem& fileSystem,
               IProcessStarter& starter)
    : m_strPath(command), m_strParams(params), m_pFileSystem(&fileSystem), m_pStarter(&starter) {
    Resolve();
}

CShell::~CShell() {
    CloseProcess();
}

const std::array<WString, 24>& CShell::DriveTable() {
    static const std::array<WString, 24> roots = MakeDriveTable();
    return roots;
}

ProcessHandle CShell::EndedProcess() {
    // The address of a private object: never null, never equal to a live handle held here.
    static const char ended = 0;
    return const_cast<char*>(&ended);
}

int CShell::SetCommand(const WString& command, const WString& params) {
    CloseProcess();
    m_strPath = command;
    m_strParams = params;
    m_bFound = 0;
    return Resolve();
}

WString CShell::GetCommand(WString& params) const {
    params = m_strParams;
    return m_strPath;
}

int CShell::Resolve() {
    m_bFound = 0;
    m_bOnCdromDrive = 0;
    const WString trimmed = TrimWideSpace(m_strPath);
    m_strPath = trimmed;

    std::vector<const WString*> drives;
    const size_t marker = m_strPath.find(kCdromMarker);
    if (marker != WString::npos) {
        for (const WString& root : DriveTable()) {
            if (m_pFileSystem->DriveType(root) == kDriveCdRom) drives.push_back(&root);
        }
        // Whatever stands before the marker (a working folder put in front of the command)
        // has no say in where the file is.
        m_strPath = RemoveMarkers(m_strPath.substr(marker));
    }

    const WString text = m_strPath;
    size_t split = text.find(kBlank, 1);
    for (;;) {
        // Without a blank there is no program part of its own: only the whole text is tried.
        const bool hasSplit = split != WString::npos;
        const WString candidate = hasSplit ? text.substr(0, split) : WString();
        const WString rest = hasSplit ? text.substr(split + 1) : WString();

        bool found = false;
        if (drives.empty()) {
            if (m_pFileSystem->Exists(text)) {
                found = true;
            } else if (hasSplit && m_pFileSystem->Exists(candidate)) {
                m_strParams = JoinParams(rest, m_strParams);
                m_strPath = candidate;
                found = true;
            }
        } else {
            for (const WString* root : drives) {
                if (m_pFileSystem->Exists(*root + text)) {
                    m_strPath = *root + text;
                    found = true;
                } else if (hasSplit && m_pFileSystem->Exists(*root + candidate)) {
                    m_strParams = JoinParams(rest, m_strParams);
                    m_strPath = *root + candidate;
                    found = true;
                }
                if (found) break;
            }
        }
        if (found) {
            // A relative file is found in the current folder of this moment.
            if (drives.empty()) m_strPath = m_pFileSystem->FullPath(m_strPath);
            m_bOnCdromDrive = drives.empty() ? 0 : 1;
            m_bFound = 1;
            return 1;
        }
        if (!hasSplit) break;
        split = text.find(kBlank, split + 1);
        if (split == WString::npos) break;
    }

    m_strPath = trimmed;
    return 0;
}

int CShell::CopyTo(const WString& destination, int failIfExists) {
    if (!m_bFound) return 0;
    return m_pFileSystem->Copy(m_strPath, destination, failIfExists != 0) ? 1 : 0;
}

ProcessHandle CShell::Execute(int wait) {
    return Execute(wait, kWaitWithoutLimit);
}

ProcessHandle CShell::Execute(int wait, uint32_t timeoutMs) {
    m_nExitCode = 0;
    m_bTimedOut = 0;
    if (!m_bFound) return nullptr;
    CloseProcess();
    m_hProcess = m_pStarter->Start(m_strPath, m_strParams);
    if (!m_hProcess || !wait) return m_hProcess;
    uint32_t exitCode = 0;
    if (m_pStarter->Wait(m_hProcess, timeoutMs, exitCode)) {
        m_nExitCode = exitCode;
    } else {
        m_bTimedOut = 1;  // left running: it may be waiting for a person
    }
    CloseProcess();
    return EndedProcess();
}

void CShell::CloseProcess() {
    if (m_hProcess) m_pStarter->Close(m_hProcess);
    m_hProcess = nullptr;
}
