// The frame's menu and the commands the frame carries (menu.rc).
#pragma once

#define IDR_MAINFRAME 100  // menu, icon, tool bar and document-template string

// File menu.
#define ID_LOAD_SCENARIO 32781
#define ID_SAVE_SCENARIO 32782
#define ID_SETTINGS 32785
// View menu.
#define ID_SHORT_HANDED 32799
#define ID_DEAD_CARDS 32800
#define ID_RESULTS 32801
// Tools menu.
#define ID_HAND_VS_HAND 32771
#define ID_FLOP_OUTS_COUNTER 32776
#define ID_EQUITY_GRAPH 32772
// Help menu.
#define ID_SYNTAX 32780
#define ID_SUPPORT_FORUM 32784
// Tool bar only.
#define ID_HELP_CONTENTS 32783
#define ID_TOOLBAR_SPARE 32773
#define ID_TOOLBAR_SPARE_1 32803
#define ID_TOOLBAR_SPARE_2 32804
#define ID_TOOLBAR_SPARE_3 32805
// Developer commands without a menu entry, reached by their ids.
#define ID_RANDOM_HANDS_EXPERIMENT 32774
#define ID_WRITE_TABLE_FILES 32775
#define ID_IMPORT_HILO_RANKINGS 32796
#define ID_DUMP_TABLES 32797
// Control id of the frame's menu bar.
#define ID_MENU_BAR 32802

// The framework's standard commands, for the resource compiler.
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1 0xE110
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif
