// Fuzz target: any command, parameters, set of existing paths and CD/DVD drives must resolve
// without a crash or sanitizer finding, to the first match in the documented search order,
// and leave no process handle open.
// fuzz-sources: ops/shell.cpp ops/white_space.cpp
// fuzz-options: -max_len=4096
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ops/shell.h"
#include "ops/white_space.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

const WString kMarker = WSTR("cdrom:\\");

// Bytes to UTF-16: ASCII as it is, the high half to units that resolution must treat with
// care (white space and near-white space, CJK, surrogates, NUL, non-characters).
WString Decode(const std::string& bytes) {
    static const char16_t kTricky[16] = {0x3000, 0x00A0, 0x0085, 0x200B, 0x4E2D, 0x6587,
                                         0xD800, 0xDC00, 0xFFFD, 0x0000, 0x2028, 0x1680,
                                         0xFEFF, 0x205F, 0xFFFF, 0x202F};
    WString text;
    for (const unsigned char byte : bytes) {
        text += byte < 0x80 ? static_cast<WChar>(byte) : static_cast<WChar>(kTricky[byte & 15]);
    }
    return text;
}

class FakeFileSystem : public IFileSystem {
public:
    std::set<WString> entries;
    uint32_t cdMask = 0;

    unsigned DriveType(const WString& root) override {
        const auto& table = CShell::DriveTable();
        for (size_t i = 0; i < table.size(); ++i) {
            if (table[i] == root) return (cdMask >> i) & 1 ? kDriveCdRom : kDriveFixed;
        }
        Check(false);  // only the roots of the table are ever asked about
        return kDriveUnknown;
    }
    bool Copy(const WString& from, const WString&, bool) override {
        Check(Exists(from));
        return true;
    }

protected:
    bool FindMatch(const WString& text) override {
        Check(IsSearchable(text));
        return entries.count(text) != 0;
    }
    bool MeasureFile(const WString&, uint64_t&) override {
        Check(false);  // resolution never measures a file
        return false;
    }
};

class FakeStarter : public IProcessStarter {
public:
    std::set<ProcessHandle> open;
    uintptr_t next = 1;
    bool create = true;

    ProcessHandle Start(const WString&, const WString&) override {
        if (!create) return nullptr;
        const auto handle = reinterpret_cast<ProcessHandle>(next++ * 16);
        open.insert(handle);
        return handle;
    }
    bool Wait(ProcessHandle process, uint32_t, uint32_t& exitCode) override {
        Check(open.count(process) == 1);
        exitCode = 0;
        return true;
    }
    void Close(ProcessHandle process) override { Check(open.erase(process) == 1); }
};

// The command as the search sees it: trimmed; with a marker, cut to the first marker and
// every marker taken out in one left-to-right pass.
WString SearchedText(const WString& command, bool& marked) {
    WString text = TrimWideSpace(command);
    const size_t first = text.find(kMarker);
    marked = first != WString::npos;
    if (!marked) return text;
    text.erase(0, first);
    for (size_t at = text.find(kMarker); at != WString::npos; at = text.find(kMarker, at)) {
        text.erase(at, kMarker.size());
    }
    return text;
}

WString Join(const WString& rest, const WString& given) {
    if (rest.empty()) return given;
    if (given.empty()) return rest;
    return rest + WSTR(' ') + given;
}

struct Outcome {
    bool found = false;
    WString path, params;
};

// A plain model of the search order: split positions shortest first, at each the drives in
// table order, on each drive the whole text before the program part.
Outcome Expected(FakeFileSystem& fs, const WString& command, const WString& given) {
    bool marked = false;
    const WString text = SearchedText(command, marked);
    std::vector<WString> roots;
    if (marked) {
        for (size_t i = 0; i < 24; ++i) {
            if ((fs.cdMask >> i) & 1) roots.push_back(CShell::DriveTable()[i]);
        }
    }
    if (roots.empty()) roots.push_back(WString());
    std::vector<size_t> splits;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] == WSTR(' ')) splits.push_back(i);
    }
    if (splits.empty()) splits.push_back(WString::npos);
    for (const size_t split : splits) {
        for (const WString& root : roots) {
            if (fs.Exists(root + text)) return {true, root + text, given};
            if (split == WString::npos) continue;
            if (fs.Exists(root + text.substr(0, split))) {
                return {true, root + text.substr(0, split), Join(text.substr(split + 1), given)};
            }
        }
    }
    return {false, TrimWideSpace(command), given};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    FakeFileSystem fs;
    FakeStarter starter;
    fs.cdMask = input.ConsumeIntegral<uint32_t>();
    starter.create = input.ConsumeBool();
    const WString given = Decode(input.ConsumeRandomLengthString(64));
    // The marker is hard to come by at random: put it in front, or behind a working folder.
    const int shape = input.ConsumeIntegralInRange(0, 2);
    const WString command = (shape == 0   ? WString()
                             : shape == 1 ? kMarker
                                          : WSTR(" C:\\work dir\\") + kMarker) +
                            Decode(input.ConsumeRandomLengthString(1024));

    // Existing paths: free text, or a piece of the searched command up to one of its blanks,
    // so that the search often has something to find; on any number of drive roots.
    bool marked = false;
    const WString searched = SearchedText(command, marked);
    const int count = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < count; ++i) {
        WString path;
        if (input.ConsumeBool()) {
            path = Decode(input.ConsumeRandomLengthString(300));
        } else {
            const size_t blank =
                searched.find(WSTR(' '), input.ConsumeIntegralInRange<size_t>(0, searched.size()));
            path = searched.substr(0, blank);
        }
        // Bits 0 to 23: put it on those roots; bit 31 (or no bit at all): also as it is.
        const uint32_t roots = input.ConsumeIntegral<uint32_t>();
        for (size_t r = 0; r < 24; ++r) {
            if ((roots >> r) & 1) fs.entries.insert(CShell::DriveTable()[r] + path);
        }
        if ((roots >> 31) & 1 || (roots & 0xFFFFFF) == 0) fs.entries.insert(path);
    }

    const Outcome expected = Expected(fs, command, given);
    {
        CShell shell(fs, starter);
        const int found = shell.SetCommand(command, given);
        Check(found == shell.m_bFound && (found == 0 || found == 1));
        Check(found == (expected.found ? 1 : 0));
        Check(shell.m_strPath == expected.path);
        Check(shell.m_strParams == expected.params);
        if (found) Check(fs.Exists(shell.m_strPath));

        WString params;
        Check(shell.GetCommand(params) == shell.m_strPath && params == shell.m_strParams);
        Check(shell.CopyTo(WSTR("D:\\out"), 0) == found);

        const ProcessHandle first = shell.Execute(0);
        Check(found || first == nullptr);
        Check(first == shell.m_hProcess);
        const ProcessHandle second = shell.Execute(1);
        Check(shell.m_hProcess == nullptr);
        Check((second != nullptr) == (found && starter.create));
        Check(starter.open.size() <= 1);
        if (input.ConsumeBool()) shell.Execute(0);
    }
    Check(starter.open.empty());
    return 0;
}
