// Resource ids of the framework's dialog, document and service tests.
#pragma once

// Documents and frame.
#define IDR_TESTFRAME 300
#define IDS_TESTFRAME 300
#define ID_TOOLS_MODAL 40200
#define ID_TOOLS_MODELESS 40201
#define ID_TOOLS_COUNT 40202

// Dialogs.
#define IDD_VALUES 310
#define IDD_CONTROLS 311
#define IDD_FORM 312
#define IDD_MODAL 313
#define IDD_MODELESS 314
#define IDD_BROWSER 315
#define IDD_MISSING 399

// Controls.
#define IDC_NUMBER 1001
#define IDC_TEXT 1002
#define IDC_RATIO 1003
#define IDC_COUNT 1004
#define IDC_CHECK 1005
#define IDC_RADIO1 1006
#define IDC_RADIO2 1007
#define IDC_RADIO3 1008
#define IDC_LIST_COMBO 1009
#define IDC_EDIT_COMBO 1010
#define IDC_LIST 1011
#define IDC_SLIDER 1012
#define IDC_SPIN_EDIT 1013
#define IDC_SPIN 1014
#define IDC_SCROLL 1015
#define IDC_LABEL 1016
#define IDC_PUSH 1017
#define IDC_TREE 1018
#define IDC_PROGRESS 1019
#define IDC_OWNERDRAW 1020
#define IDC_BROWSER 1369

// Pages and pictures.
#define IDR_PAGE 102
#define IDR_SAMPLE_PNG 330
#define IDB_SAMPLE 331

// Control bars.
#define ID_BAR_RUN 40300
#define ID_BAR_STOP 40301
#define ID_BAR_OPTION 40302
#define ID_BAR_NOTIP 40303
#define IDR_BARS_TOOLBAR 320
#define IDR_BARS_SHORT 321
#define IDR_BARS_VERSION2 322
