#include "ui/batch/run_texts.h"

#include <cstdio>
#include <string>

namespace batch {

namespace {

// The digits of the percentage, formatted by the C library as the platform formats them.
WString Percent(float percent) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.1f%%", static_cast<double>(percent));
    WString out;
    for (const char* p = digits; *p; ++p) out += static_cast<WChar>(*p);
    return out;
}

WString Decimal(uint64_t n) {
    const std::string digits = std::to_string(n);
    return WString(digits.begin(), digits.end());
}

}  // namespace

WString ProgressPrefix(RunKind kind, int done, int total) {
    // The share is worked out in floating point and kept in single precision.
    const float percent =
        total > 0 ? static_cast<float>(static_cast<double>(done) / total * 100.0) : 0.0f;
    const WString verb = kind == RunKind::Install ? WSTR("正在安装...") : WSTR("正在保存...");
    return verb + Percent(percent) + WSTR(' ');
}

WString SaveDestination(const WString& saveDir, const WString& resolvedPath) {
    constexpr WChar kBackslash = WSTR('\\');
    WString dest = saveDir;
    if (!dest.empty() && dest.back() == kBackslash) dest.pop_back();
    const size_t slash = resolvedPath.rfind(kBackslash);
    if (slash == WString::npos)
        dest += kBackslash + resolvedPath;
    else
        dest.append(resolvedPath, slash, WString::npos);
    return dest;
}

WString ExitCodeSuffix(uint32_t exitCode) {
    return WSTR("（退出代码 ") + Decimal(exitCode) + WSTR("）");
}

WString TimedOutSuffix(int32_t nSeconds) {
    return WSTR("（超过 ") + Decimal(nSeconds > 0 ? static_cast<uint64_t>(nSeconds) : 0) +
           WSTR(" 秒未结束）");
}

WString DoneText(RunKind kind, bool restartAsked) {
    if (kind == RunKind::Save) return WSTR("所有项目保存完毕!");
    WString text = WSTR("所有项目安装完毕!");
    if (restartAsked) text += WSTR("\n\n部分软件需要重新启动计算机才能完成安装。");
    return text;
}

WString DoneCaption(RunKind kind) {
    return kind == RunKind::Install ? WSTR("软件安装") : WSTR("保存安装包");
}

WString FailureCaption(RunKind kind) {
    return kind == RunKind::Install ? WSTR("某些项目安装失败, 请检查这些项目的安装文件路径!")
                                    : WSTR("某些项目保存失败, 请检查这些项目的文件路径!");
}

WString FailureFooter(RunKind kind, const WString& saveDir) {
    return kind == RunKind::Install ? WString() : WSTR("文件保存路径: ") + saveDir;
}

}  // namespace batch
