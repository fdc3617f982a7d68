// What the checker reports on a catalogue: what the launcher will show and do with it, and
// the problems found in it, each with the line it is about.
#pragma once

#include <cstdint>
#include <vector>

#include "app/catalogue_text.h"
#include "app/run_options.h"
#include "app/wstring.h"

enum class Severity { Error, Warning, Info };

// Every kind has one severity (SeverityOf, which says how it is chosen). The comment of a kind says
// which fields of a Finding it fills besides nLine and strSection (the section it is about, as the
// file or the list key names it).
enum class FindingKind {
    FileUnreadable,          // strText: the path
    CategorySectionMissing,  // strKey: the Sort key; strHint/nOtherLine: nearest section
    EntrySectionMissing,     // strKey: the List key; strHint/nOtherLine: nearest section
    CommandNotFound,  // strKey: AutoInstall/ManualInstall; strText: the joined command; bFlag:
                      // it has the "cdrom:\" marker; items: the CD drives it was looked for on
                      // (none: it was looked for in the checked folder)
    NoCategories,     // (about the [Type] section)
    NumberingGap,     // strKey: where reading stopped; bFlag: that key is present
                      // (with an empty value); items: the keys ignored
    WorkingDirWithoutBackslash,  // strText: the WorkingDir; items: key, joined text, key, ...
    CurrDirNotReplaced,          // strKey, strText: the value
    CdromMarkerNotRecognised,    // strKey, strText: the value; strHint: the spelling found
    RelativePath,                // strKey, strText: the joined text
    UnknownKey,                  // strKey; strHint: the nearest key the launcher reads there
    KeyWithoutEquals,            // strText: the line
    KeyOutsideSection,           // strKey
    NotANumber,                  // strKey, strText: the value; strHint: the number read
    CommandMissing,              // strKey; strText: the joined command (WorkingDir alone)
    IconNotFound,                // strKey: IconPath; strText: the joined path
    PackageNotMeasurable,        // strKey: ManualInstall; strText: the file found
    LetterCaseDiffers,           // strKey; strText: the file found; strHint: its own name
    ValueCut,                    // strKey
    DuplicateSection,            // nOtherLine: the first section of that name, which is read
    DuplicateKey,                // strKey; nOtherLine: the first key of that name, which counts
    InvalidBytes,                // lines: every line with such bytes
    Utf8ReadAsAnsi,              // nColumn: the first byte that is not UTF-8, in its line;
                                 // strText: its value in hex; strHint: how many such places
    Utf8WithoutChinese,          // strText: the first non-ASCII text as read; strHint: the
                                 // same bytes in the ANSI code page
    Encoding,                    // (the report's encoding)
    EntryListedSeveralTimes,     // items: the category of each listing, in order
    CdromCommand,                // strKey, strText: the joined command; strHint: the file used;
                                 // items: the CD drives it was found on (none: no CD drive here)
    ListSectionMissing,          // strKey: the list section's name
    SectionNotRead,              // (a section that no Sort or List value names)
    ExitCodeUnreadable,          // strKey, strText: the value; items: the items that are no exit
                                 // code; bFlag: no item is one (any end counts as success)
    TimeoutUnreadable,           // strKey, strText: the value; strHint: the number read
    // [Hashes]: the listing's line and key; strText: the file checked, as the launcher names
    // it; strHint: its SHA-256 (HashMismatch) or the value written (HashValueInvalid).
    HashMismatch,
    HashFileUnreadable,
    HashFileMissing,  // a listed file that is not there and that no command uses
    HashValueInvalid,
    // A command's file not listed: strKey: AutoInstall/ManualInstall; strText: the file;
    // bFlag: it is not in the exe folder (nor on a CD/DVD drive), so it cannot be listed.
    HashNotListed,         // while the catalogue lists others: used unhashed
    HashNotListedRefused,  // with RequireHashes on: refused
};

Severity SeverityOf(FindingKind kind);

struct Finding {
    FindingKind kind = FindingKind::Encoding;
    int nLine = 0;  // 1-based line of the file; 0 when the finding is about no one line
    WString strSection;
    WString strKey;
    WString strText;
    WString strHint;
    int nOtherLine = 0;
    int nColumn = 0;  // 1-based byte in the line, where a finding is about one byte
    bool bFlag = false;
    std::vector<WString> items;
    std::vector<int> lines;
};

// What the launcher's check before a start or a copy does with a command's file.
enum class HashState {
    NotChecked,        // no [Hashes] section and RequireHashes off; or the file is not found
    Verified,          // listed, and the SHA-256 matches
    HashDiffers,       // listed, and it does not (or the value listed is no SHA-256): refused
    Unreadable,        // listed, but the file cannot be read: refused
    NotListed,         // not listed: used without a check
    NotListedRefused,  // not listed, and RequireHashes is on: refused
};

struct HashView {
    HashState state = HashState::NotChecked;
    WString strKey;  // the [Hashes] key the file is listed or would be listed under
    int nLine = 0;   // the listing's line; 0 when not listed
};

// A command as the launcher resolves it (CShell).
struct CommandView {
    WString strCommand;  // WorkingDir followed by the value, as the catalogue joins them
    bool bFound = false;
    WString strProgram;          // the file found; the trimmed command when not found
    WString strParams;           // the parameters split off
    bool bOnCdromDrive = false;  // found on a CD/DVD drive through "cdrom:\"
    HashView hash;
};

struct IconView {
    WString strPath;  // WorkingDir followed by IconPath; empty: no icon given
    bool bFound = false;
};

// Where the launcher takes a run key's value from.
enum class KeySource { None, Entry, Config };

struct KeyOrigin {
    KeySource source = KeySource::None;
    int nLine = 0;  // the key that gives the value
};

// What a batch run does with an entry's installer: which ends are a success, how long it is
// waited for, and where each of the two comes from.
struct RunView {
    InstallerPolicy policy;
    KeyOrigin successCodes;
    KeyOrigin timeout;
};

struct EntryView {
    WString strName;
    int nLine = 0;         // the List key that names it
    int nSectionLine = 0;  // its section's header; 0 when the section is missing
    bool bChecked = false;
    WString strDescription;
    CommandView autoInstall;
    CommandView manualInstall;
    uint64_t nPackageBytes = 0;
    WString strSize;  // as the entry row shows it
    IconView icon;
    RunView run;
};

struct CategoryView {
    WString strName;
    int nLine = 0;  // the Sort key that names it
    int nSectionLine = 0;
    IconView icon;
    std::vector<EntryView> entries;
};

struct LauncherView {
    WString strTitle;
    int32_t nWidth = 0;  // after the window's floor of 800 x 500
    int32_t nHeight = 0;
    int32_t nWidthInFile = 0;  // MainWidth and MainHeight as read
    int32_t nHeightInFile = 0;
    int32_t nDefault = 1;  // install mode: non-zero unattended, 0 interactive
    int32_t nWaitime = 0;  // countdown in seconds; none when 0 or less
    WString strSavePath;
    // Some entry's SuccessCodes or Timeout is given, in its section or in [Config].
    bool bRunKeys = false;
    int32_t bExitAfterCountdown = 0;
    int nExitAfterCountdownLine = 0;  // 0: the key is not given
    WString strLogFile;               // as the launcher opens it, before environment variables
    int nLogFileLine = 0;             // 0: the key is not given
    // The check of package files: on when there is a [Hashes] section or RequireHashes.
    bool bHashCheck = false;
    bool bRequireHashes = false;
    size_t nHashesListed = 0;  // the files [Hashes] lists (each once)
    std::vector<CategoryView> categories;
};

struct CheckReport {
    WString strCatalogue;      // the path as given
    WString strExeFolder;      // what "%CurrDir%" stood for: the launcher's folder
    WString strCheckedFolder;  // where the files were looked for in its place
    bool bRead = false;
    TextEncoding encoding = TextEncoding::Utf8;
    LauncherView view;              // only when the file was read
    std::vector<Finding> findings;  // in line order, those about no one line first
};

// Exit statuses of the checker.
inline constexpr int kExitClean = 0;       // no problem (information only)
inline constexpr int kExitWarnings = 1;    // warnings, no error
inline constexpr int kExitErrors = 2;      // at least one error
inline constexpr int kExitUnreadable = 3;  // the file could not be read
inline constexpr int kExitUsage = 64;      // bad command line

int ExitStatus(const CheckReport& report);
