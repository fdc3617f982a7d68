#include "checker/text_report.h"

#include "checker/finding_text.h"

namespace {

class CTextWriter {
public:
    // Control characters from the file are shown in caret notation ("^A"), so that none of
    // them can move the cursor or change the terminal.
    void Line(int indent, const WString& text) {
        m_text.append(static_cast<size_t>(indent) * 2, WSTR(' '));
        for (const WChar c : text) {
            if (c < 0x20 || c == 0x7F) {
                m_text += WSTR('^');
                m_text += static_cast<WChar>(c == 0x7F ? '?' : c + 0x40);
            } else {
                m_text += c;
            }
        }
        m_text += WSTR('\n');
    }
    void Blank() { m_text += WSTR('\n'); }
    WString Take() { return std::move(m_text); }

private:
    WString m_text;
};

WString LineTag(int line) {
    return line > 0 ? WSTR("（第 ") + DecimalText(line) + WSTR(" 行）") : WString();
}

WString OrNone(const WString& text) {
    return text.empty() ? WString(WSTR("（无）")) : text;
}

void WriteIcon(CTextWriter& out, int indent, const IconView& icon) {
    if (icon.strPath.empty()) {
        out.Line(indent, WSTR("图标：（未设置，显示程序自带的图标）"));
    } else {
        out.Line(indent,
                 WSTR("图标：") + icon.strPath +
                     (icon.bFound ? WSTR("（找到）") : WSTR("（找不到，显示程序自带的图标）")));
    }
}

WString HashLineTag(const HashView& hash) {
    return WSTR("（[Hashes] 第 ") + DecimalText(hash.nLine) + WSTR(" 行）");
}

// What the check before a start or a copy does with the file.
WString HashText(const HashView& hash) {
    switch (hash.state) {
        case HashState::Verified:
            return WSTR("SHA-256 相符") + HashLineTag(hash) + WSTR("，启动器使用它");
        case HashState::HashDiffers:
            return WSTR("SHA-256 不符") + HashLineTag(hash) + WSTR("，启动器拒绝使用它");
        case HashState::Unreadable:
            return WSTR("无法读取文件") + HashLineTag(hash) + WSTR("，启动器拒绝使用它");
        case HashState::NotListed:
            return WSTR("未列入 [Hashes]，启动器不校验，照常使用");
        case HashState::NotListedRefused:
            return WSTR("未列入 [Hashes]，启动器拒绝使用它（RequireHashes=1）");
        case HashState::NotChecked:
            break;
    }
    return WSTR("不校验");
}

void WriteCommand(CTextWriter& out, int indent, const WString& label, const CommandView& command,
                  bool hashCheck) {
    out.Line(indent, label + OrNone(command.strCommand));
    if (!command.bFound) {
        out.Line(indent + 1, WSTR("→ 找不到"));
        return;
    }
    out.Line(indent + 1, WSTR("→ 程序：") + command.strProgram);
    out.Line(indent + 1, WSTR("  参数：") + OrNone(command.strParams));
    if (hashCheck) out.Line(indent + 1, WSTR("  校验：") + HashText(command.hash));
}

// Only the keys the catalogue gives: a catalogue without them reads as it always did.
void WriteRunSettings(CTextWriter& out, const LauncherView& view) {
    if (view.nExitAfterCountdownLine > 0) {
        WString text = WSTR("照常，有失败时显示报告，窗口重新出现");
        if (view.bExitAfterCountdown != 0) {
            text = WSTR(
                "结束程序，不显示报告；退出代码是失败的条目数，没有失败而有安装程序要求重新启动时"
                "是 3010，否则是 0");
            if (view.nWaitime <= 0) text += WSTR("（但没有倒计时，这一项不起作用）");
        }
        out.Line(1, WSTR("倒计时安装后：") + text);
    }
    if (view.nLogFileLine > 0) {
        WString text =
            view.strLogFile.empty() ? WString(WSTR("无（LogFile 为空）")) : view.strLogFile;
        if (view.strLogFile.find(WSTR('%')) != WString::npos) {
            text += WSTR("（其中的环境变量由启动器在运行时展开）");
        }
        out.Line(1, WSTR("运行日志：") + text);
    }
}

WString OriginTag(const KeyOrigin& origin) {
    switch (origin.source) {
        case KeySource::Entry:
            return WSTR("（本条目，第 ") + DecimalText(origin.nLine) + WSTR(" 行）");
        case KeySource::Config:
            return WSTR("（[Config]，第 ") + DecimalText(origin.nLine) + WSTR(" 行）");
        case KeySource::None:
            break;
    }
    return {};
}

void WriteRun(CTextWriter& out, int indent, const RunView& run) {
    WString codes = WSTR("任何结束都算成功");
    if (run.policy.bHasSuccessCodes) {
        std::vector<WString> items;
        for (const uint32_t code : run.policy.successCodes) items.push_back(DecimalText(code));
        codes = JoinItems(items);
    }
    out.Line(indent, WSTR("成功的退出代码：") + codes + OriginTag(run.successCodes));
    const bool limited = run.policy.nTimeout > 0;
    out.Line(indent,
             WSTR("等待时限：") +
                 (limited ? DecimalText(run.policy.nTimeout) + WSTR(" 秒") : WString(WSTR("无"))) +
                 OriginTag(run.timeout) +
                 (limited ? WSTR("，超过后记为失败，继续下一个") : WSTR("，一直等到安装程序结束")));
}

void WriteSettings(CTextWriter& out, const LauncherView& view) {
    out.Line(1, WSTR("窗口标题：") + view.strTitle);
    WString size = DecimalText(view.nWidth) + WSTR(" x ") + DecimalText(view.nHeight);
    if (view.nWidth != view.nWidthInFile || view.nHeight != view.nHeightInFile) {
        size += WSTR("（目录中为 ") + DecimalText(view.nWidthInFile) + WSTR(" x ") +
                DecimalText(view.nHeightInFile) + WSTR("，窗口至少 800 x 500）");
    }
    out.Line(1, WSTR("窗口大小：") + size);
    out.Line(1, WSTR("安装方式：") + (view.nDefault != 0
                                          ? WString(WSTR("自动安装（无人值守，运行 AutoInstall）"))
                                          : WString(WSTR("手动安装（运行 ManualInstall）"))));
    out.Line(1, WSTR("倒计时：") + (view.nWaitime > 0 ? DecimalText(view.nWaitime) +
                                                            WSTR(" 秒后自动安装已勾选的条目")
                                                      : WString(WSTR("无"))));
    out.Line(1, WSTR("保存文件夹：") +
                    (view.strSavePath.empty() ? WString(WSTR("（未设置）")) : view.strSavePath));
    WriteRunSettings(out, view);
    if (view.bHashCheck) {
        out.Line(1, WSTR("文件校验：[Hashes] 列出 ") + DecimalText(view.nHashesListed) +
                        WSTR(" 个文件；未列入的文件") +
                        (view.bRequireHashes ? WSTR("被拒绝（RequireHashes=1）")
                                             : WSTR("照常使用，不校验")));
    }
}

void WriteCategories(CTextWriter& out, const LauncherView& view) {
    size_t total = 0;
    for (const CategoryView& category : view.categories) total += category.entries.size();
    out.Line(1, WSTR("分类 ") + DecimalText(view.categories.size()) + WSTR(" 个，条目 ") +
                    DecimalText(total) + WSTR(" 个"));
    for (size_t k = 0; k < view.categories.size(); ++k) {
        const CategoryView& category = view.categories[k];
        out.Blank();
        WString tag = WSTR("（") + DecimalText(category.entries.size()) + WSTR(" 款");
        if (category.nLine > 0) tag += WSTR("，第 ") + DecimalText(category.nLine) + WSTR(" 行");
        out.Line(1, WSTR("分类 ") + DecimalText(k + 1) + WSTR("：") + category.strName + tag +
                        WSTR("）"));
        WriteIcon(out, 2, category.icon);
        for (const EntryView& entry : category.entries) {
            out.Line(2, WSTR("条目：") + entry.strName + LineTag(entry.nLine));
            out.Line(3, WSTR("默认勾选：") + WString(entry.bChecked ? WSTR("是") : WSTR("否")));
            out.Line(3, WSTR("说明：") + OrNone(entry.strDescription));
            WriteCommand(out, 3, WSTR("自动安装："), entry.autoInstall, view.bHashCheck);
            WriteCommand(out, 3, WSTR("手动安装："), entry.manualInstall, view.bHashCheck);
            out.Line(3, WSTR("大小：") + entry.strSize);
            WriteIcon(out, 3, entry.icon);
            if (view.bRunKeys) WriteRun(out, 3, entry.run);
        }
    }
}

void WriteFindings(CTextWriter& out, const CheckReport& report) {
    size_t counts[3] = {0, 0, 0};
    for (const Finding& finding : report.findings) {
        ++counts[static_cast<int>(SeverityOf(finding.kind))];
    }
    out.Line(0, WSTR("问题：错误 ") + DecimalText(counts[0]) + WSTR(" 个，警告 ") +
                    DecimalText(counts[1]) + WSTR(" 个，提示 ") + DecimalText(counts[2]) +
                    WSTR(" 条"));
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Info}) {
        for (const Finding& finding : report.findings) {
            if (SeverityOf(finding.kind) != severity) continue;
            WString where;
            if (finding.nLine > 0) where += WSTR("第 ") + DecimalText(finding.nLine) + WSTR(" 行 ");
            if (!finding.strSection.empty()) where += WSTR("[") + finding.strSection + WSTR("] ");
            out.Line(1, WSTR("[") + SeverityLabel(severity) + WSTR("] ") + where +
                            FindingMessage(finding, report));
        }
    }
}

WString Verdict(int status) {
    switch (status) {
        case kExitClean:
            return WSTR("结论：没有发现问题（退出状态 0）");
        case kExitWarnings:
            return WSTR("结论：有警告，没有错误（退出状态 1）");
        case kExitErrors:
            return WSTR("结论：有错误（退出状态 2）");
        default:
            return WSTR("结论：无法读取目录文件（退出状态 3）");
    }
}

}  // namespace

WString FormatTextReport(const CheckReport& report) {
    CTextWriter out;
    out.Line(0, WSTR("目录文件：") + report.strCatalogue);
    if (report.bRead) {
        out.Line(0, WSTR("程序所在的文件夹（%CurrDir%）：") + report.strExeFolder);
        if (report.strCheckedFolder != report.strExeFolder) {
            out.Line(0, WSTR("被检查的文件夹（当作 ") + report.strExeFolder + WSTR("）：") +
                            report.strCheckedFolder);
        }
        out.Line(0, WSTR("文件编码：") + EncodingLabel(report.encoding));
        out.Blank();
        out.Line(0, WSTR("启动器将显示："));
        WriteSettings(out, report.view);
        WriteCategories(out, report.view);
    }
    out.Blank();
    WriteFindings(out, report);
    out.Blank();
    out.Line(0, Verdict(ExitStatus(report)));
    return out.Take();
}
