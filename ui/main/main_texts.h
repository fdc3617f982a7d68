// The main window's own texts: message boxes, prompts, tooltips, the countdown label and the
// counts beside category names. Those that a catalogue's resources may translate (headings,
// button captions, action links) are string resources instead.
#pragma once

#include "fw/text.h"

namespace maintext {

// Batch commands.
inline constexpr const wchar_t* kNothingTicked =
    L"您没有选中任何一款软件! 请选择您需要安装的软件之后再进行批量的处理.";
inline constexpr const wchar_t* kInstallCaption = L"软件安装";
inline constexpr const wchar_t* kSaveCaption = L"保存安装包";
inline constexpr const wchar_t* kChooseSaveFolder = L"请选择安装包保存路径:";
inline constexpr const wchar_t* kEmptySaveFolder = L"您选择的路径为空, 是否重新选择?";
inline constexpr const wchar_t* kConfirmSave = L"您确定要开始保存如下软件么?";

// A row's action links: captions, and what happened, each followed by a path.
inline constexpr const wchar_t* kAutoInstallCaption = L"自动安装";
inline constexpr const wchar_t* kManualInstallCaption = L"手动安装";
inline constexpr const wchar_t* kNotFound = L"文件没找到, 请检查安装文件路径!\n\n文件原始路径: ";
inline constexpr const wchar_t* kNotStarted =
    L"文件运行失败, 请检查安装文件路径!\n\n文件原始路径: ";
inline constexpr const wchar_t* kSaveFailed =
    L"文件保存失败, 请检查安装文件路径!\n\n文件原始路径: ";
inline constexpr const wchar_t* kSaveFailedTarget = L"\n文件保存路径: ";
inline constexpr const wchar_t* kSaved = L"安装文件保存完毕!\n\n文件保存路径: ";
// The save-as dialog's filter: pairs of zero-terminated strings, then one more zero.
inline constexpr const wchar_t* kAllFilesFilter = L"所有文件(*.*)\0*.*\0";

// Buttons and the countdown.
inline constexpr const wchar_t* kSelectAllTip = L"选择所有应用程序";
inline constexpr const wchar_t* kSaveTip = L"保存所选软件安装包";
inline constexpr const wchar_t* kOptionsTip = L"安装选项";
inline constexpr const wchar_t* kForumTip = L"访问论坛主页";
inline constexpr const wchar_t* kHelpTip = L"查看帮助信息";
inline constexpr const wchar_t* kAutoInstallTip = L"自动安装所选软件";
inline constexpr const wchar_t* kManualInstallTip = L"手动安装所选软件";
inline constexpr const wchar_t* kCountdownLabel = L"秒钟后开始自动安装!";

// A category's row in the category list, "名称 (3)", and its header row in the all-entries
// list, "名称 (3款)".
inline CString CategoryRow(const wchar_t* pszName, int nEntries) {
    CString text;
    text.Format(L"%s (%d)", pszName, nEntries);
    return text;
}
inline CString AllListHeader(const wchar_t* pszName, int nEntries) {
    CString text;
    text.Format(L"%s (%d款)", pszName, nEntries);
    return text;
}

}  // namespace maintext
