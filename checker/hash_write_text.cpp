#include "checker/hash_write_text.h"

#include "checker/finding_text.h"

namespace {

WString Q(const WString& text) {
    return WSTR("“") + text + WSTR("”");
}

WString LeftOutText(const LeftOutCommand& left) {
    WString where;
    if (left.nLine > 0) where += WSTR("第 ") + DecimalText(left.nLine) + WSTR(" 行 ");
    where += WSTR("[") + left.strSection + WSTR("] ") + left.strKey + WSTR("：");
    switch (left.why) {
        case LeftOutCommand::Why::NotFound:
            return where + WSTR("找不到文件") + Q(left.strText);
        case LeftOutCommand::Why::NotOnMedium:
            return where + WSTR("文件") + Q(left.strText) +
                   WSTR("不在程序所在的文件夹中，也不在光驱上，无法列入");
        case LeftOutCommand::Why::BadName:
            break;
    }
    return where + WSTR("文件") + Q(left.strText) +
           WSTR("的路径含有 = 、以 [ 开头或首尾有空白，无法写成 [Hashes] 的键");
}

WString Verdict(const HashWriteReport& report) {
    const WString status = WSTR("（退出状态 ") + DecimalText(HashWriteStatus(report)) + WSTR("）");
    using Result = HashWriteReport::Result;
    switch (report.result) {
        case Result::Written:
            return (report.leftOut.empty() ? WSTR("结论：已写入")
                                           : WSTR("结论：已写入，有命令没有列出")) +
                   status;
        case Result::CatalogueUnreadable:
            return WSTR("结论：无法读取目录文件") + status;
        case Result::FileUnreadable:
        case Result::NotWritable:
        case Result::WriteFailed:
            break;
    }
    return WSTR("结论：没有写入，目录文件没有改动") + status;
}

}  // namespace

WString FormatHashWriteReport(const HashWriteReport& report) {
    using Result = HashWriteReport::Result;
    WString text = WSTR("目录文件：") + report.strCatalogue + WSTR("\n");
    if (report.result == Result::CatalogueUnreadable) {
        return text + WSTR("无法读取目录文件。\n\n") + Verdict(report) + WSTR("\n");
    }
    text += WSTR("程序所在的文件夹（%CurrDir%）：") + report.strExeFolder + WSTR("\n");
    if (report.strCheckedFolder != report.strExeFolder) {
        text += WSTR("被检查的文件夹（当作 ") + report.strExeFolder + WSTR("）：") +
                report.strCheckedFolder + WSTR("\n");
    }
    text += WSTR("\n");
    switch (report.result) {
        case Result::Written:
            text +=
                (report.bReplaced ? WSTR("已替换第 ") : WSTR("已在文件末尾第 ")) +
                DecimalText(report.nLine) +
                (report.bReplaced ? WSTR(" 行的 [Hashes] 节，") : WSTR(" 行添加 [Hashes] 节，")) +
                WSTR("列出 ") + DecimalText(report.listed.size()) + WSTR(" 个文件的 SHA-256：\n");
            for (size_t i = 0; i < report.listed.size(); ++i) {
                text += WSTR("  ") + report.listed[i].strKey + WSTR("=") +
                        report.listed[i].strValue + WSTR("\n");
                text += WSTR("    （") + report.listedFiles[i] + WSTR("）\n");
            }
            break;
        case Result::FileUnreadable:
            text += WSTR("无法读取文件") + Q(report.strDetail) + WSTR("来计算 SHA-256。\n");
            break;
        case Result::NotWritable:
            text += WSTR("无法写入 [Hashes] 节：") + report.strDetail + WSTR("。\n");
            break;
        case Result::WriteFailed:
            text += WSTR("无法写入目录文件：") + report.strDetail + WSTR("。\n");
            break;
        case Result::CatalogueUnreadable:
            break;
    }
    if (!report.leftOut.empty()) {
        text += WSTR("\n没有列出的命令（") + DecimalText(report.leftOut.size()) + WSTR(" 个）：\n");
        for (const LeftOutCommand& left : report.leftOut)
            text += WSTR("  ") + LeftOutText(left) + WSTR("\n");
    }
    return text + WSTR("\n") + Verdict(report) + WSTR("\n");
}
