// Proves CProfile reads like the platform: tricky INI files are written in every encoding and
// each lookup is compared with GetPrivateProfileStringW / GetPrivateProfileIntW on the same
// file, key by key.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/catalogue_text.h"
#include "app/file_reader.h"
#include "app/profile.h"
#include "app/utf.h"
#include "tests/win/main/test_medium.h"

namespace {

struct Doc {
    std::string name;
    std::wstring text;  // lines end in '\n'
};

std::wstring Repeat(wchar_t c, size_t n) {
    return std::wstring(n, c);
}

std::vector<Doc> Docs() {
    std::vector<Doc> docs;
    docs.push_back({"quotes",
                    L"[q]\n"
                    L"k1=\"a\"\nk2='b'\nk3=\"c'\nk4=\"\nk5=\"\"\nk6=\"\"\"\nk7=' x '\n"
                    L"k8= \"y\" \nk9=\"a\"b\"\nk10='\nk11=''\nk12=\"'\"\nk13=x\"\n"
                    L"k14=\"中文\"\nk15='\t'\n"});
    docs.push_back({"blanks",
                    L"  [ blank sec ]  \n"
                    L"  key1   =   value one   \n"
                    L"\tkey2\t=\tvalue two\t\n"
                    L"key3 = \x1A"
                    L"eof\x1A\n"
                    L"key4=\v\fx\f\v\n"
                    L"key5=\x3000wide\x3000\n"
                    L"key6=\xA0nbsp\xA0\n"
                    L"\x3000key7=1\n"
                    L"key 8 = inner  blank \n"
                    L"key9=   \n"
                    L"key10=\n"
                    L"=novalue\n"
                    L"=\n"
                    L"   \n"
                    L"[\x3000wide sec]\nw=1\n"});
    docs.push_back({"duplicates",
                    L"[dup]\na=first\nb=1\na=second\nA=third\n"
                    L"[DUP]\na=other\nc=only in second\n"
                    L"[dup]\nd=only in third\n"
                    L"[other]\na=x\n"
                    L"[Other]\nz=y\n"});
    docs.push_back({"case",
                    L"[Config]\nTitleText=t\nMAINWIDTH=5\n"
                    L"[CONFIG]\nTitleText=second\n"
                    L"[常用软件]\n名称=值\n"
                    L"[Ärger]\nÖl=1\n"
                    L"[ＡＢＣ]\nｋ=2\n"
                    L"[@]\nat=3\n[`]\nbq=4\n[[]\nbr=5\n[{]\ncb=6\n"
                    L"[İ]\ni=7\n"});
    docs.push_back({"comments",
                    L";top comment\n"
                    L"[c]\n"
                    L";comment\n"
                    L"; k=1\n"
                    L";k=2\n"
                    L"#k=3\n"
                    L"k=4 ; not a comment\n"
                    L"  ;indented=5\n"
                    L"//x=6\n"});
    docs.push_back({"no equals",
                    L"[n]\n"
                    L"justaword\n"
                    L"  spaced word  \n"
                    L"[unclosed\n"
                    L"after=1\n"
                    L"\"quoted key\"\n"
                    L"justaword=later\n"});
    docs.push_back({"integers",
                    L"[i]\n"
                    L"a=-5\nb=12abc\nc=\" 7\"\nd=0x10\ne=0X10\nf=0b101\ng=0o17\nh=+3\n"
                    L"i=-0x10\nj=99999999999\nk=4294967295\nl=4294967296\nm=-2147483648\n"
                    L"n=-2147483649\no=0x\np=-\nq=abc\nr=\ns=\"42\"\nt=1e3\nu=１２\nv=\t\n"
                    L"w=0x7FFFFFFF\nx=0xFFFFFFFFF\ny=007\nz=08\naa=0b2\nab=\" - 5\"\n"
                    L"ac=0xfF\nad=0o8\nae=++1\naf=-+1\nag=0z\nah='12'\nai=\"12\nak=\x1F"
                    L"9\n"
                    L"d29=" +
                        Repeat(L'1', 29) +
                        L"\n"
                        L"d30=" +
                        Repeat(L'1', 30) +
                        L"\n"
                        L"d36=" +
                        Repeat(L'0', 34) +
                        L"12\n"
                        L"q28=\"" +
                        Repeat(L'2', 28) +
                        L"\"\n"
                        L"q29=\"" +
                        Repeat(L'2', 29) +
                        L"\"\n"
                        L"q30=\"" +
                        Repeat(L'2', 30) +
                        L"\"\n"
                        L"sp28=\"" +
                        Repeat(L' ', 27) + L"9\"\n"});
    docs.push_back({"headers",
                    L"[abc] junk\nk=1\n"
                    L"[a]b]c\nk=2\n"
                    L"[ spaced ]\nk=3\n"
                    L"[]\nk=4\n"
                    L"[ ]\nk=5\n"
                    L"[x]]\nk=6\n"
                    L"[y] ; comment ]\nk=7\n"
                    L"[[nested]]\nk=8\n"
                    L"[sec=tion]\nk=9\n"});
    docs.push_back({"before first section", L"top=1\nother=2\n[]\ntop=3\n[s]\ntop=4\n"});
    docs.push_back({"long values",
                    L"[l]\n"
                    L"v4094=" +
                        Repeat(L'a', 4094) +
                        L"\n"
                        L"v4095=" +
                        Repeat(L'b', 4095) +
                        L"\n"
                        L"v4096=" +
                        Repeat(L'c', 4096) +
                        L"\n"
                        L"v5000=" +
                        Repeat(L'd', 5000) +
                        L"\n"
                        L"q4093=\"" +
                        Repeat(L'e', 4093) +
                        L"\"\n"
                        L"q4094=\"" +
                        Repeat(L'f', 4094) +
                        L"\"\n"
                        L"q4095=\"" +
                        Repeat(L'g', 4095) +
                        L"\"\n"
                        L"q4096=\"" +
                        Repeat(L'h', 4096) +
                        L"\"\n"
                        L"c4095=" +
                        Repeat(L'软', 4095) +
                        L"\n"
                        L"c4096=" +
                        Repeat(L'件', 4096) +
                        L"\n"
                        L"" +
                        Repeat(L'k', 300) +
                        L"=long key\n"
                        L"after=ok\n"});
    docs.push_back({"empty", L""});
    docs.push_back({"blank only", L"  \n\t\n\x1A"});
    docs.push_back({"catalogue",
                    L"[Config]\nMainWidth=900\nMainHeight=600\nTitleText=装机工具\n"
                    L"SavePath=D:\\软件包\nDefault=0\nWaitime=10\n"
                    L"[Type]\nSort1=常用软件\nSort2=办公软件\nSort4=多媒体\n"
                    L"[常用软件]\nWorkingDir=%CurrDir%\nIconPath=icons\\常用.ico\n"
                    L"[常用软件.List]\nList1=压缩工具\nList2=输入法\n"
                    L"[压缩工具]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\zip.exe /S\n"
                    L"ManualInstall=soft\\zip.exe\nChecked=1\nDescription=解压缩\n"
                    L"[输入法]\nWorkingDir=D:\\输入法\\\nAutoInstall=\"setup.exe\" /quiet\n"});
    return docs;
}

// Documents that only exist in UTF-16: NUL units inside names and values.
std::vector<Doc> Utf16OnlyDocs() {
    std::wstring nul = L"[s]\nnul=ab";
    nul += L'\0';
    nul += L"cd\nke";
    nul += L'\0';
    nul += L"y=5\n[a";
    nul += L'\0';
    nul += L"b]\nz=3\nlater=x";
    nul += L'\0';
    nul += L"  \n";
    return {{"nul units", nul}};
}

// Code-page-936 byte documents with bytes that the code page does not define.
std::vector<std::pair<std::string, std::string>> InvalidAnsiDocs() {
    return {
        {"lead byte before line break",
         "[s]\r\nk1=\xD6\r\nk2=after\r\nk3=\xFF\r\nk4=\x81 x\r\nk5=\xD6\xD0\xCE\xC4\r\n"},
        {"lead byte at end", "[s]\nk=v\xB0"},
        {"lead byte before NUL", std::string("[s]\nk=\x81", 8) + std::string(1, '\0') + "z\nm=1\n"},
        {"user-defined area", "[s]\nk=\xAA\xA1\xF8\xA1\xA1\x40\n"},
    };
}

std::wstring WithLineEnds(const std::wstring& text, const wchar_t* eol) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') {
            out += eol;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Utf16LeBytes(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

// The text in code page 936, or false when it has characters the code page lacks.
bool AnsiBytes(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                            nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    bytes.resize(n);
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        bytes.data(), n, nullptr, nullptr);
    return true;
}

std::string Show(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s.substr(0, 40)) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[12];
            snprintf(buf, sizeof buf, "<%04X>", static_cast<unsigned>(c));
            out += buf;
        }
    }
    if (s.size() > 40) out += "...(" + std::to_string(s.size()) + ")";
    return out;
}

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = (c >= 'a' && c <= 'z') ? c - 32 : c;
    return s;
}
std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return s;
}

// The names to ask for: every section and key name of the file, in other letter cases and
// with blanks around, plus names that do not exist.
void Queries(const CProfile& profile, std::set<std::wstring>& sections,
             std::set<std::wstring>& keys) {
    sections = {L"", L" ", L"missing", L"Config", L"[s]"};
    keys = {L"missing", L"", L" ", L";k", L"k"};
    for (const ProfileSection& s : profile.Sections()) {
        const std::wstring name(s.strName);
        for (const std::wstring& n : {name, Upper(name), Lower(name)}) {
            sections.insert(n);
            sections.insert(L" " + n + L"\t");
        }
        for (const ProfileKey& k : s.keys) {
            const std::wstring key(k.strName);
            keys.insert(key);
            keys.insert(Upper(key));
            keys.insert(L"\t" + Lower(key) + L"  ");
        }
    }
}

// Compares every lookup of `ours` with the platform reading `platformFile`.
void Compare(const std::string& what, const CProfile& ours, const std::wstring& platformFile) {
    std::set<std::wstring> sections, keys;
    Queries(ours, sections, keys);
    static wchar_t buffer[4096];
    int mismatches = 0;
    int compared = 0;
    for (const std::wstring& s : sections) {
        for (const std::wstring& k : keys) {
            const DWORD n = GetPrivateProfileStringW(s.c_str(), k.c_str(), L"DEF", buffer, 4096,
                                                     platformFile.c_str());
            const std::wstring platform(buffer, n);
            const std::wstring mine = ours.GetString(s, k, L"DEF");
            const int platformInt = static_cast<int>(
                GetPrivateProfileIntW(s.c_str(), k.c_str(), -77, platformFile.c_str()));
            const int mineInt = ours.GetInt(s, k, -77);
            ++compared;
            if (platform != mine || platformInt != mineInt) {
                if (++mismatches <= 15) {
                    ADD_FAILURE() << what << " [" << Show(s) << "] " << Show(k) << ": platform '"
                                  << Show(platform) << "' " << platformInt << ", ours '"
                                  << Show(mine) << "' " << mineInt;
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << what << ": of " << compared << " lookups";
}

CProfile ReadOurs(const std::wstring& path, TextEncoding expected, const std::string& what) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << what;
    DecodedText text = DecodeCatalogueText(bytes);
    EXPECT_EQ(static_cast<int>(text.encoding), static_cast<int>(expected)) << what;
    return CProfile(text.strText);
}

bool IsAscii(const std::wstring& s) {
    for (wchar_t c : s) {
        if (c >= 0x80) return false;
    }
    return true;
}

class ProfileDifferential : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        const DWORD n = GetTempPathW(MAX_PATH, temp);
        ASSERT_GT(n, 0u);
        // One folder per process: two builds (or two developers) may run this at once.
        m_dir = std::wstring(temp, n) + L"bundor_profile_diff_" +
                std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(m_dir.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& path : m_files) DeleteFileW(path.c_str());
        RemoveDirectoryW(m_dir.c_str());
    }
    std::wstring Write(const wchar_t* name, const std::string& bytes) {
        const std::wstring path = m_dir + name;
        EXPECT_TRUE(testmedium::WriteFile(path, bytes)) << WideToUtf8(path);
        m_files.insert(path);
        return path;
    }

    std::wstring m_dir;
    std::set<std::wstring> m_files;
};

TEST_F(ProfileDifferential, MatchesThePlatformInEveryEncodingAndLineEnd) {
    ASSERT_EQ(GetACP(), 936u) << "the platform must run with code page 936";
    for (const Doc& doc : Docs()) {
        // Every encoding with CRLF; the other line ends in UTF-16 only, which keeps the run
        // short (each platform lookup costs tens of microseconds).
        for (const wchar_t* eol : {L"\r\n", L"\n", L"\r"}) {
            const std::wstring text = WithLineEnds(doc.text, eol);
            const std::string base = doc.name + (eol[0] == '\n' ? " LF" : eol[1] ? " CRLF" : " CR");

            const std::wstring utf16 = Write(L"utf16.ini", Utf16LeBytes(text));
            Compare(base + " UTF-16LE", ReadOurs(utf16, TextEncoding::Utf16Le, base), utf16);
            if (eol[1] != '\n') continue;

            const std::wstring utf8bom = Write(L"utf8bom.ini", "\xEF\xBB\xBF" + WideToUtf8(text));
            Compare(base + " UTF-8 BOM", ReadOurs(utf8bom, TextEncoding::Utf8Bom, base), utf8bom);

            // The platform reads a file without a byte-order mark in the ANSI code page, so
            // our UTF-8 reading is compared with its reading of the same text in UTF-16.
            const std::wstring utf8 = Write(L"utf8.ini", WideToUtf8(text));
            Compare(base + " UTF-8", ReadOurs(utf8, TextEncoding::Utf8, base), utf16);

            std::string ansi;
            if (AnsiBytes(text, ansi)) {
                const std::wstring cp936 = Write(L"cp936.ini", ansi);
                // Plain ASCII is valid UTF-8 too, and reads the same either way.
                const TextEncoding expected =
                    IsAscii(text) ? TextEncoding::Utf8 : TextEncoding::Ansi;
                Compare(base + " CP936", ReadOurs(cp936, expected, base), cp936);
            }
        }
    }
}

TEST_F(ProfileDifferential, MatchesThePlatformOnNulUnits) {
    for (const Doc& doc : Utf16OnlyDocs()) {
        // Not "nul.ini": NUL is a device name.
        const std::wstring path = Write(L"nulunits.ini", Utf16LeBytes(doc.text));
        Compare(doc.name, ReadOurs(path, TextEncoding::Utf16Le, doc.name), path);
    }
}

TEST_F(ProfileDifferential, MatchesThePlatformOnUndefinedAnsiBytes) {
    for (const auto& [name, bytes] : InvalidAnsiDocs()) {
        const std::wstring path = Write(L"invalid936.ini", bytes);
        Compare(name, ReadOurs(path, TextEncoding::Ansi, name), path);
    }
}

}  // namespace
