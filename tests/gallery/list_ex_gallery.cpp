// Gallery of the catalogue lists: the category list in its panel look beside the all-entries
// list with header rows, one- and two-line entries, sizes and action links, with the program's
// own row skins and the demo icons; selected with and without focus, scrolled, and without
// skins. Saves PNG files for people to look at. Not shipped.
//
//   list_gallery.exe OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/gallery/gallery_output.h"
#include "tests/win/list_ex_support.h"

namespace {

using lxtest::Entry;
using uitest::Pixels;

gallery::Output g_out(L"list_gallery");

// The row skins as the program has them: its bitmap resources, by their art file names.
HBITMAP LoadResourceBitmap(const wchar_t* pszFile) {
    static const struct {
        const wchar_t* file;
        UINT id;
    } kBitmaps[] = {
        {L"entry-row-mid.bmp", IDB_ENTRY_ROW_MID},
        {L"entry-row-left.bmp", IDB_ENTRY_ROW_LEFT},
        {L"entry-row-right.bmp", IDB_ENTRY_ROW_RIGHT},
        {L"entry-row-sel-mid.bmp", IDB_ENTRY_ROW_SEL_MID},
        {L"entry-row-sel-left.bmp", IDB_ENTRY_ROW_SEL_LEFT},
        {L"entry-row-sel-right.bmp", IDB_ENTRY_ROW_SEL_RIGHT},
        {L"header-row-mid.bmp", IDB_HEADER_ROW_MID},
        {L"header-row-left.bmp", IDB_HEADER_ROW_LEFT},
        {L"header-row-right.bmp", IDB_HEADER_ROW_RIGHT},
        {L"category-row-mid.bmp", IDB_CATEGORY_ROW_MID},
        {L"category-row-left.bmp", IDB_CATEGORY_ROW_LEFT},
        {L"category-row-right.bmp", IDB_CATEGORY_ROW_RIGHT},
        {L"category-row-sel-mid.bmp", IDB_CATEGORY_ROW_SEL_MID},
        {L"category-row-sel-left.bmp", IDB_CATEGORY_ROW_SEL_LEFT},
        {L"category-row-sel-right.bmp", IDB_CATEGORY_ROW_SEL_RIGHT},
        {L"category-back.bmp", IDB_CATEGORY_BACK},
    };
    for (const auto& b : kBitmaps) {
        if (::lstrcmpW(b.file, pszFile) == 0)
            return ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(b.id));
    }
    return nullptr;
}

const lxtest::Groups kCatalogue = {
    {L"系统工具 (3款)",
     {
         {L"Windows 优化大师", L"系统清理、注册表优化与开机加速，一键提升电脑运行速度", L"8.27 MB"},
         {L"驱动精灵 2024 万能网卡装机增强版", L"自动检测硬件并安装合适的驱动程序", L"112.40 MB"},
         {L"磁盘清理助手", L"", L"0.96 MB"},
     }},
    {L"办公软件 (2款)",
     {
         {L"WPS Office 个人版", L"文字、表格、演示三合一办公套件，兼容微软 Office 文档格式",
          L"215.03 MB"},
         {L"福昕 PDF 阅读器", L"轻巧快速的 PDF 阅读与批注工具", L"63.51 MB"},
     }},
    {L"压缩解压、输入法与文本编辑等常用工具 (3款)",
     {
         {L"7-Zip 压缩软件",
          L"开源高压缩率的文件压缩与解压工具，支持 7z、ZIP、RAR 等多种格式，右键菜单即可操作",
          L"1.52 MB"},
         {L"搜狗拼音输入法", L"智能词库与云输入，打字更快更准", L"48.00 MB"},
         {L"记事本增强版 & 代码高亮", L"", L"0.00 MB"},
     }},
};

void ShowLists() {
    lxtest::Art art;
    if (!art.Load(&LoadResourceBitmap)) {
        g_out.Fail(L"the art did not load");
        return;
    }
    lxtest::Owner owner;
    owner.Create(RECT{40, 40, 840, 520});
    CListEx category, entries;
    lxtest::BuildCategoryList(category, owner, art, RECT{10, 10, 150, 470}, 1000,
                              {L"全部软件 (8)", L"系统工具 (3)", L"办公软件 (2)",
                               L"压缩解压、输入法与文本编辑等常用工具 (3)"});
    lxtest::BuildEntryList(entries, owner, art, RECT{160, 10, 790, 470}, kCatalogue);
    entries.SetCheck(1, TRUE);
    entries.SetCheck(6, TRUE);
    category.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    entries.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    entries.SetFocus();
    lxtest::PumpFor(300);
    g_out.Save(L"lists", lxtest::Shot(owner));
    g_out.Save(L"entry-list", lxtest::Shot(entries));

    // The selected row without the focus; then the category list's selection moved on.
    category.SetFocus();
    category.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    lxtest::PumpFor(100);
    g_out.Save(L"lists-category-focused", lxtest::Shot(owner));
    g_out.Save(L"category-list", lxtest::Shot(category));

    // Scrolled to the end.
    entries.EnsureVisible(entries.GetItemCount() - 1, FALSE);
    lxtest::PumpFor(100);
    g_out.Save(L"entry-list-scrolled", lxtest::Shot(entries));
}

// The same list with the control's own colours and no skin, as a list without the program's
// art would look.
void ShowPlain() {
    lxtest::Art art;
    if (!art.Load(&LoadResourceBitmap)) return;
    lxtest::Owner owner;
    owner.Create(RECT{40, 40, 700, 440});
    CListEx list;
    list.Create(lxtest::kListStyle, RECT{10, 10, 650, 390}, &owner, lxtest::kListId);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    list.SetImageList(&art.entryIcons, LVSIL_SMALL);
    list.SetImageList(&art.check, LVSIL_STATE);
    list.SetFont(art.font, FALSE);
    list.AddColumn(0, L"软件名称", LVCFMT_LEFT, 200);
    list.AddColumn(1, L"软件大小", LVCFMT_CENTER, 100);
    list.AddColumn(2, L"相关操作", LVCFMT_CENTER, 180);
    list.AddColumn(3, L"", LVCFMT_CENTER, 30);
    const CStringArray actions = lxtest::Actions();
    int r = 0;
    for (const auto& group : kCatalogue) {
        list.AddRow(r++, group.first, CListEx::NO_IMAGE, CListEx::ROW_HEADER);
        for (const Entry& e : group.second) {
            list.AddRow(r, e.name, r % 8, CListEx::ROW_ENTRY, e.detail);
            list.SetCellText(r, 1, e.size);
            list.SetCellLinks(r, 2, actions);
            ++r;
        }
    }
    list.SetItemHeight(65);
    list.SetCheck(2, TRUE);
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetFocus();
    lxtest::PumpFor(200);
    g_out.Save(L"entry-list-unskinned", lxtest::Shot(list));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (!g_out.Begin(argc, argv, 1, L"OUTPUT_FOLDER")) return 2;
    uitest::MouseTo(POINT{2, 2});
    ShowLists();
    ShowPlain();
    return g_out.ExitCode();
}
