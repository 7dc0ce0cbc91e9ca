// Resource identifiers of KvInst.exe, shared by KvInst.rc and the program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_KVINST_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_SETTING 129

// System-menu command of the About entry: its low four bits are zero.
#define IDM_ABOUTBOX 0x0010

#define IDC_STATIC -1

// Main dialog.
#define IDC_SETTINGS 1000
#define IDC_SHOW_INSTALL_DIR 1001
#define IDC_SHOW_SAVE_DIR 1002
#define IDC_SHOW_PACKAGE 1003
#define IDC_SHOW_INSTALLED_DATE 1004

// Settings dialog.
#define IDC_SAVE_DIR 1002
#define IDC_BROWSE_SAVE_DIR 1003
#define IDC_INSTALL_DIR 1004
#define IDC_BROWSE_INSTALL_DIR 1005
#define IDC_DELETE_FILE 1006
#define IDC_ADD_NAME 1007
#define IDC_QUIT_APP 1008
#define IDC_EXECUTE_APP 1009
