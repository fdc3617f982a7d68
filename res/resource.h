// Numeric ids of the program's resources, commands and controls, shared by bundor.rc and the
// code. Plain #defines only: the resource compiler reads this file too.
#pragma once

// --- dialog templates -------------------------------------------------------------------------
#define IDD_ABOUTBOX 100       // about window (CAboutDlg)
#define IDD_BUNDOR_DIALOG 102  // main window (CBundorDlg)
#define IDD_PROGRESS 129       // progress window of a batch run (CProgDlg)
#define IDD_MSGDLG 184         // result report window (CMsgDlg)

// --- icons ------------------------------------------------------------------------------------
#define IDR_MAINFRAME 128     // application icon; fall-back for catalogue icons
#define IDI_TICK_OFF 174      // tick box, unticked (16 x 16)
#define IDI_TICK_ON 175       // tick box, ticked (16 x 16)
#define IDI_ALL_SOFTWARE 177  // the category list's all-software row

// --- menus ------------------------------------------------------------------------------------
#define IDR_MENU_OPTIONS 172  // popup 安装选项 under the options button
#define IDR_MENU_HELP 173     // popup 帮助 under the help button

// --- strings ----------------------------------------------------------------------------------
#define IDS_ABOUTBOX 101        // 关于(&A)... (system menu)
#define IDS_COL_CATEGORY 102    // 软件分类
#define IDS_ALL_SOFTWARE 103    // 全部软件
#define IDS_COL_NAME 104        // 软件名称
#define IDS_COL_SIZE 105        // 软件大小
#define IDS_COL_ACTIONS 106     // 相关操作
#define IDS_ACTION_MANUAL 107   // 手动安装
#define IDS_ACTION_AUTO 108     // 自动安装
#define IDS_ACTION_SAVE 109     // 保存安装包
#define IDS_BTN_SELECT_ALL 110  // (&A)
#define IDS_BTN_SAVE 111        // (&S)
#define IDS_BTN_INSTALL 112     // (&I)

// --- bitmaps ("In": hovered or pressed, "Out": otherwise) --------------------------------------
#define IDB_INSTALL_AUTO_OUT 130        // 88 x 28
#define IDB_INSTALL_AUTO_IN 131         // 88 x 28
#define IDB_HEAD_LEFT 132               // 324 x 69, left end of the top band
#define IDB_HEAD_MID 133                // 1 x 69, stretched middle of the top band
#define IDB_CLOSE_OUT 134               // 83 x 28, about window's close button
#define IDB_CLOSE_IN 135                // 83 x 28
#define IDB_FRAME_BOTTOM 136            // 1 x 4
#define IDB_FRAME_BOTTOM_LEFT 137       // 4 x 4
#define IDB_FRAME_BOTTOM_RIGHT 138      // 4 x 4
#define IDB_FRAME_LEFT 139              // 4 x 1
#define IDB_FRAME_RIGHT 140             // 4 x 1
#define IDB_FRAME_TOP 141               // 1 x 4
#define IDB_FRAME_TOP_LEFT 142          // 4 x 4
#define IDB_FRAME_TOP_RIGHT 143         // 4 x 4
#define IDB_HELP_OUT 144                // 95 x 31
#define IDB_HELP_IN 145                 // 95 x 31
#define IDB_FORUM_OUT 146               // 95 x 31
#define IDB_FORUM_IN 147                // 95 x 31
#define IDB_ENTRY_ROW_MID 148           // 1 x 65
#define IDB_ENTRY_ROW_LEFT 149          // 86 x 65
#define IDB_ENTRY_ROW_RIGHT 150         // 69 x 65
#define IDB_ENTRY_ROW_SEL_MID 151       // 1 x 65
#define IDB_ENTRY_ROW_SEL_LEFT 152      // 86 x 65
#define IDB_ENTRY_ROW_SEL_RIGHT 153     // 69 x 65
#define IDB_HEADER_ROW_MID 154          // 1 x 65
#define IDB_HEADER_ROW_LEFT 155         // 16 x 65
#define IDB_HEADER_ROW_RIGHT 156        // 19 x 65
#define IDB_INSTALL_MANUAL_OUT 158      // 88 x 28
#define IDB_INSTALL_MANUAL_IN 159       // 88 x 28
#define IDB_OPTIONS 160                 // 19 x 28 (In and Out)
#define IDB_SAVE_OUT 161                // 104 x 28
#define IDB_SAVE_IN 162                 // 104 x 28
#define IDB_SELECT_ALL_OUT 163          // 140 x 24, unticked
#define IDB_SELECT_ALL_IN 164           // 140 x 24, ticked or pressed
#define IDB_CATEGORY_BACK 165           // 160 x 1
#define IDB_CATEGORY_ROW_MID 166        // 1 x 23
#define IDB_CATEGORY_ROW_LEFT 167       // 16 x 23
#define IDB_CATEGORY_ROW_RIGHT 168      // 16 x 23
#define IDB_CATEGORY_ROW_SEL_MID 169    // 109 x 23
#define IDB_CATEGORY_ROW_SEL_LEFT 170   // 16 x 23
#define IDB_CATEGORY_ROW_SEL_RIGHT 171  // 16 x 23
#define IDB_NEXT 179                    // 144 x 26 (In and Out)
#define IDB_PREV 180                    // 144 x 26 (In and Out)
#define IDB_HEAD_RIGHT 181              // 461 x 69, right end of the top band
#define IDB_CATEGORY_LEFT 182           // 2 x 1
#define IDB_CATEGORY_RIGHT 183          // 2 x 1

// --- commands ---------------------------------------------------------------------------------
#define IDM_ABOUTBOX 0x0010     // system menu and help menu: about window
#define ID_OPTION_AUTO 32773    // install-options menu: unattended install
#define ID_OPTION_MANUAL 32774  // install-options menu: interactive install

// --- controls ---------------------------------------------------------------------------------
// Main window. 1008 and 1009 are each carried by a button, a countdown label and an entry list;
// the window never looks a control up by its id.
#define IDC_CATEGORY_LIST 1000
#define IDC_BTN_SELECT_ALL 1001
#define IDC_BTN_SAVE 1002
#define IDC_BTN_INSTALL 1003
#define IDC_BTN_OPTIONS 1004
#define IDC_BTN_FORUM 1005
#define IDC_BTN_HELP 1006
#define IDC_ENTRY_LIST_FIRST 1007  // entry list i has the id 1007 + i
#define IDC_BTN_PREV 1008
#define IDC_BTN_NEXT 1009
#define IDC_LBL_SECONDS 1008
#define IDC_LBL_COUNTDOWN 1009
// About window.
#define IDC_ABOUT_LINK 1000
// Progress window.
#define IDC_PROGRESS_BAR 1000
// Result report window.
#define IDC_MSG_TEXT 1001
#define IDC_MSG_FOOTER 1004
