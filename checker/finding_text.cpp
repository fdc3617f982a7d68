#include "checker/finding_text.h"

#include <string>

#include "checker/names.h"
#include "ops/package_check_texts.h"

namespace {

// A value inside a message, in Chinese quotation marks.
WString Q(WStringView text) {
    return WSTR("“") + WString(text) + WSTR("”");
}

bool StartsWithFolded(WStringView name, WStringView prefix) {
    return FoldName(name).rfind(FoldName(prefix), 0) == 0;
}

WString LineList(const std::vector<int>& lines) {
    constexpr size_t kShown = 10;
    std::vector<WString> shown;
    for (size_t i = 0; i < lines.size() && i < kShown; ++i) shown.push_back(DecimalText(lines[i]));
    WString text = JoinItems(shown);
    if (lines.size() > kShown)
        return text + WSTR(" 等共 ") + DecimalText(lines.size()) + WSTR(" 行");
    return text + WSTR(" 行");
}

// The report names the finding's own line; the message names only the others.
WString InvalidBytesPlace(const Finding& f) {
    if (f.lines.empty() || f.nLine == 0) return WSTR("文件中");
    if (f.lines.size() == 1) return WSTR("这一行");
    return WSTR("这一行和第 ") + LineList(std::vector<int>(f.lines.begin() + 1, f.lines.end()));
}

WString CurrDirMessage(const Finding& f) {
    if (FoldName(f.strKey) == WSTR("workingdir")) {
        if (FoldName(f.strText) == WSTR("%currdir%")) {
            return WSTR("WorkingDir") + Q(f.strText) +
                   WSTR(
                       "与 %CurrDir% 的大小写不同：它不会被替换为程序所在的文件夹，而是按原样"
                       "放在路径前面。请写成 %CurrDir%。");
        }
        return WSTR("WorkingDir") + Q(f.strText) +
               WSTR("中的 %CurrDir% 按原样保留：只有整个值恰好是 %CurrDir% 时才会被替换。");
    }
    return f.strKey + WSTR(" 中的 %CurrDir% 按原样保留：只有 WorkingDir=%CurrDir% 会被替换。");
}

WString CommandMissingMessage(const Finding& f) {
    WString text = WSTR("没有 ") + f.strKey + WSTR(" 的值");
    if (!f.strText.empty()) text += WSTR("，命令只剩下 WorkingDir") + Q(f.strText);
    if (FoldName(f.strKey) == WSTR("autoinstall")) {
        return text + WSTR("：自动安装这个条目时没有可运行的安装程序。");
    }
    return text + WSTR("：手动安装和保存安装包都无法进行，大小显示为 0.00 MB。");
}

WString NearestSectionHint(const Finding& f) {
    if (f.strHint.empty()) return {};
    return WSTR("是不是指第 ") + DecimalText(f.nOtherLine) + WSTR(" 行的 [") + f.strHint +
           WSTR("]？");
}

// What the launcher does with a file it refuses, in the words its run report uses.
WString RefusedText(const WChar* recordEnd) {
    return WSTR("启动器拒绝运行或保存它，批量运行时记录为") + Q(recordEnd) + WSTR("。");
}

WString NotListedMessage(const Finding& f) {
    WString text = f.strKey + WSTR(" 的文件") + Q(f.strText) + WSTR("没有列入 [Hashes]");
    if (f.kind == FindingKind::HashNotListedRefused) {
        text += WSTR("，而 RequireHashes 已打开：") + RefusedText(kNotListedRecordEnd);
    } else {
        text += WSTR("：启动器不校验它，照常使用。");
    }
    if (f.bFlag) return text + WSTR("它不在程序所在的文件夹中，无法列入。");
    return text + WSTR("运行 bundor-check --write-hashes 可以写入它的 SHA-256。");
}

WString WorkingDirEndMessage(const Finding& f) {
    std::vector<WString> joined;
    for (size_t i = 0; i + 1 < f.items.size(); i += 2) {
        joined.push_back(f.items[i] + WSTR(" 成为") + Q(f.items[i + 1]));
    }
    return WSTR("WorkingDir") + Q(f.strText) + WSTR("不以 \\ 结尾，直接拼接后 ") +
           JoinItems(joined) + WSTR("。文件夹末尾需要加上 \\。");
}

bool IsConfig(const Finding& f) {
    return FoldName(f.strSection) == WSTR("config");
}

WString ExitCodeMessage(const Finding& f) {
    std::vector<WString> quoted;
    for (const WString& item : f.items) quoted.push_back(Q(item));
    WString text = f.strKey + WSTR(" 中的") + JoinItems(quoted) +
                   WSTR("不是退出代码（十进制数，或 0x 开头的十六进制数），启动器忽略它。");
    if (!f.bFlag) return text;
    return text + (IsConfig(f) ? WSTR("列表中一个可用的代码都没有：没有自己的 SuccessCodes 的条目，"
                                      "安装程序任何结束都算成功。")
                               : WSTR("列表中一个可用的代码都没有：这个条目的安装程序任何结束都算"
                                      "成功，[Config] 的 SuccessCodes 对它不起作用。"));
}

WString TimeoutMessage(const Finding& f) {
    const WString read =
        f.strText == f.strHint ? WString() : WSTR("读作 ") + f.strHint + WSTR("，");
    return f.strKey + WSTR(" 的值") + Q(f.strText) + read + WSTR("不是大于 0 的秒数：") +
           (IsConfig(f) ? WSTR("没有自己的 Timeout 的条目，批量安装时一直等到安装程序结束。")
                        : WSTR("批量安装时一直等到这个条目的安装程序结束，[Config] 的 Timeout "
                               "对它不起作用。"));
}

}  // namespace

WString DecimalText(long long value) {
    return AsciiText(std::to_string(value));
}

WString AsciiText(const std::string& text) {
    WString out;
    for (const char c : text) out.push_back(static_cast<WChar>(static_cast<unsigned char>(c)));
    return out;
}

WString JoinItems(const std::vector<WString>& items) {
    WString text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i != 0) text += WSTR("、");
        text += items[i];
    }
    return text;
}

WString SeverityLabel(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return WSTR("错误");
        case Severity::Warning:
            return WSTR("警告");
        case Severity::Info:
            break;
    }
    return WSTR("提示");
}

WString EncodingLabel(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf16Le:
            return WSTR("UTF-16 LE（带 BOM）");
        case TextEncoding::Utf16Be:
            return WSTR("UTF-16 BE（带 BOM）");
        case TextEncoding::Utf8Bom:
            return WSTR("UTF-8（带 BOM）");
        case TextEncoding::Utf8:
            return WSTR("UTF-8（无 BOM）");
        case TextEncoding::Ansi:
            break;
    }
    return WSTR("系统 ANSI 代码页（简体中文 Windows 上为 GBK，代码页 936）");
}

WString FindingMessage(const Finding& f, const CheckReport& report) {
    const TextEncoding encoding = report.encoding;
    switch (f.kind) {
        case FindingKind::FileUnreadable:
            return WSTR("无法读取目录文件") + Q(f.strText) +
                   WSTR("。启动器遇到这种情况时显示空目录：默认标题，没有任何分类。");
        case FindingKind::CategorySectionMissing:
            return WSTR("分类") + Q(f.strSection) + WSTR("（") + f.strKey +
                   WSTR("）没有对应的节 [") + f.strSection +
                   WSTR("]：它照常显示，只是没有图标，也没有 WorkingDir。") + NearestSectionHint(f);
        case FindingKind::EntrySectionMissing:
            return WSTR("条目") + Q(f.strSection) + WSTR("（") + f.strKey +
                   WSTR("）没有对应的节 [") + f.strSection + WSTR("]：它没有命令、图标和说明。") +
                   NearestSectionHint(f);
        case FindingKind::CommandNotFound: {
            WString text = f.strKey + WSTR(" 的命令找不到文件：") + Q(f.strText) + WSTR("。");
            if (f.bFlag && !f.items.empty()) {
                text += WSTR("在光驱 ") + JoinItems(f.items) + WSTR(" 上都没有。");
            } else if (f.bFlag) {
                text += WSTR("本机没有光驱，于是去掉 cdrom:\\ 后在 ") + report.strCheckedFolder +
                        WSTR(
                            " 中查找，把它当作光盘，也没有找到。在有光驱的电脑上，启动器只在光驱上"
                            "查找。");
            }
            return text;
        }
        case FindingKind::NoCategories:
            return f.nLine == 0 ? WString(WSTR("没有 [Type] 节：启动器不显示任何分类。"))
                                : WString(WSTR("[Type] 节中没有 Sort1：启动器不显示任何分类。"));
        case FindingKind::NumberingGap:
            return WSTR("编号在 ") + f.strKey +
                   (f.bFlag ? WSTR(" 处中断（它的值为空），") : WSTR(" 处中断（没有这个键），")) +
                   WSTR("启动器不再往下读：") + JoinItems(f.items) +
                   (StartsWithFolded(f.strKey, WSTR("Sort")) ? WSTR(" 被忽略，这些分类不会显示。")
                                                             : WSTR(" 被忽略，这些条目不会显示。"));
        case FindingKind::WorkingDirWithoutBackslash:
            return WorkingDirEndMessage(f);
        case FindingKind::CurrDirNotReplaced:
            return CurrDirMessage(f);
        case FindingKind::CdromMarkerNotRecognised:
            return f.strKey + WSTR(" 中的") + Q(f.strHint) +
                   WSTR("不是光驱标记，按普通文字处理：只有小写的 cdrom:\\ 才会在光驱上查找。");
        case FindingKind::RelativePath:
            return f.strKey + WSTR(" 是相对路径") + Q(f.strText) +
                   WSTR(
                       "：启动器在当前目录中查找它，只有从程序所在的文件夹启动时才找得到。"
                       "建议在该节加上 WorkingDir=%CurrDir%。");
        case FindingKind::UnknownKey:
            return WSTR("启动器不读取键") + Q(f.strKey) + WSTR("，它被忽略。") +
                   (f.strHint.empty() ? WString() : WSTR("是不是想写 ") + f.strHint + WSTR("？"));
        case FindingKind::KeyWithoutEquals:
            return WSTR("这一行没有等号，启动器不读取它：") + Q(f.strText) + WSTR("。");
        case FindingKind::KeyOutsideSection:
            return WSTR("键") + Q(f.strKey) + WSTR("写在第一个节之前，启动器不读取它。");
        case FindingKind::NotANumber:
            return f.strKey + WSTR(" 的值") + Q(f.strText) + WSTR("不是整数，启动器读作 ") +
                   f.strHint + WSTR("。");
        case FindingKind::CommandMissing:
            return CommandMissingMessage(f);
        case FindingKind::IconNotFound:
            return WSTR("图标文件找不到：") + Q(f.strText) + WSTR("，将显示程序自带的图标。") +
                   (f.strText.find(WSTR("cdrom:\\")) != WString::npos
                        ? WSTR("图标路径不支持 cdrom:\\。")
                        : WSTR(""));
        case FindingKind::PackageNotMeasurable:
            return WSTR("找到了安装包") + Q(f.strText) +
                   WSTR("，但无法打开它（它是文件夹，或不允许打开），大小显示为 0.00 MB。");
        case FindingKind::LetterCaseDiffers:
            return WSTR("找到的") + Q(f.strHint) + WSTR("与 ") + f.strKey + WSTR(" 中的") +
                   Q(f.strText) +
                   WSTR(
                       "字母大小写不同。Windows 不区分大小写，启动器能找到它；只有在区分大小写的"
                       "介质上才有影响。");
        case FindingKind::ValueCut:
            return f.strKey + WSTR(" 的值超过 4095 个字符，启动器只使用前 4095 个。");
        case FindingKind::DuplicateSection:
            return WSTR("节 [") + f.strSection + WSTR("] 重复：第 ") + DecimalText(f.nOtherLine) +
                   WSTR(" 行已有同名的节，启动器只读取那一个，本节的所有键都被忽略。");
        case FindingKind::DuplicateKey:
            return WSTR("键 ") + f.strKey + WSTR(" 重复：第 ") + DecimalText(f.nOtherLine) +
                   WSTR(" 行已有，启动器只使用那一个，本行被忽略。");
        case FindingKind::InvalidBytes:
            return InvalidBytesPlace(f) + WSTR("有不符合 ") + EncodingLabel(encoding) +
                   WSTR(" 的字节，启动器把它们显示为乱码。请检查文件的保存编码。");
        case FindingKind::Utf8ReadAsAnsi:
            return WSTR("这一行的第 ") + DecimalText(f.nColumn) + WSTR(" 个字节（") + f.strText +
                   WSTR("）不符合 UTF-8") +
                   (f.strHint == WSTR("1") ? WString()
                                           : WSTR("（全文共 ") + f.strHint + WSTR(" 处）")) +
                   WSTR(
                       "，所以启动器不按 UTF-8，而按系统 ANSI 代码页（GBK）读取整个文件：按 UTF-8 "
                       "写的中文全部显示为乱码。请改正这个字节，并另存为带 BOM 的 UTF-8。");
        case FindingKind::Utf8WithoutChinese:
            return WSTR(
                       "文件没有 BOM，又恰好符合 UTF-8，启动器按 UTF-8 "
                       "读取，但其中没有一个汉字：") +
                   Q(f.strText) + WSTR("按系统 ANSI 代码页（GBK）读是") + Q(f.strHint) +
                   WSTR(
                       "。这多半是一个很短的 GBK 文件，启动器会一直按 UTF-8 显示它。请另存为带 BOM "
                       "的 UTF-8 或 UTF-16。");
        case FindingKind::Encoding:
            return WSTR("文件编码：") + EncodingLabel(encoding) +
                   (encoding == TextEncoding::Ansi
                        ? WSTR(
                              "。在其他语言的 Windows 上会显示为乱码，建议另存为 UTF-8 或 UTF-16。")
                        : WSTR("。"));
        case FindingKind::EntryListedSeveralTimes:
            return WSTR("条目") + Q(f.strSection) + WSTR("被列出 ") + DecimalText(f.items.size()) +
                   WSTR(" 次：") + JoinItems(f.items) + WSTR("。每处各是一行，勾选互不影响。");
        case FindingKind::CdromCommand:
            if (f.items.empty()) {
                return f.strKey + WSTR(" 使用 cdrom:\\：本机没有光驱，于是去掉标记后在 ") +
                       report.strCheckedFolder + WSTR(" 中查找，把它当作光盘，找到") +
                       Q(f.strHint) +
                       WSTR("。在有光驱的电脑上，启动器只在光驱上查找，不看程序所在的文件夹。");
            }
            return f.strKey + WSTR(" 使用 cdrom:\\：在光驱 ") + JoinItems(f.items) +
                   WSTR(" 上找到，启动器使用") + Q(f.strHint) + WSTR("。");
        case FindingKind::ListSectionMissing:
            return WSTR("分类") + Q(f.strSection) + WSTR("没有 [") + f.strKey +
                   WSTR("] 节：它显示为空分类。");
        case FindingKind::SectionNotRead:
            return WSTR("节 [") + f.strSection +
                   WSTR("] 没有被任何 Sort 或 List 引用，启动器不读取它。");
        case FindingKind::ExitCodeUnreadable:
            return ExitCodeMessage(f);
        case FindingKind::TimeoutUnreadable:
            return TimeoutMessage(f);
        case FindingKind::HashMismatch:
            return WSTR("文件") + Q(f.strText) + WSTR("的 SHA-256 是 ") + f.strHint +
                   WSTR("，与这里列出的不同：文件可能已损坏或被修改，") +
                   RefusedText(kHashFailedRecordEnd) +
                   WSTR("如果是有意更换的文件，请运行 bundor-check --write-hashes 重新写入。");
        case FindingKind::HashFileUnreadable:
            return WSTR("无法读取文件") + Q(f.strText) + WSTR("来计算 SHA-256，") +
                   RefusedText(kHashFailedRecordEnd);
        case FindingKind::HashFileMissing:
            return WSTR("列出的文件") + Q(f.strText) +
                   WSTR("找不到，也没有命令用到它：这一行不起作用。");
        case FindingKind::HashValueInvalid:
            return WSTR("值") + Q(f.strHint) +
                   WSTR("不是 64 位十六进制数字的 SHA-256，无法用来校验这个文件，") +
                   RefusedText(kHashFailedRecordEnd);
        case FindingKind::HashNotListed:
        case FindingKind::HashNotListedRefused:
            return NotListedMessage(f);
    }
    return {};
}
