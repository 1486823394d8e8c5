// Resource identifiers of Tavrik.rc.
#pragma once

#define IDM_ABOUTBOX 0x0010 // system-menu command of the About item
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TAVRIK_DIALOG 102
#define IDD_PREVIEW 140
#define IDR_MAINFRAME 128
#define IDR_ACCELERATOR 129

// Main window (dialog 102)
#define IDC_SOURCES 1000
#define IDC_DESTINATION 1001
#define IDC_ADD 1002
#define IDC_BROWSE 1003
#define IDC_FORMAT_C 1004
#define IDC_FORMAT_ASM 1005
#define IDC_LABEL 1006
#define IDC_CONVERT 1007
#define IDC_INFO 1008
#define IDC_PROGRESS 1012
#define IDC_DELETE 1013
#define IDC_CLEAR 1014

// About box (dialog 100)
#define IDC_HOMEPAGE_LINK 1010
#define IDC_DESCRIPTION 1011

// Preview (dialog 140)
#define IDC_PREVIEW_PICTURE 1040
#define IDC_PREVIEW_INFO 1041

// Controls the folder picker adds to the file dialog
#define IDC_FOLDER_PATH 181
#define IDC_FOLDER_OPEN 182

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
