// The main dialog's template (main_dialog.rc) and its controls. Seat i (0 to 9) uses first + i
// of every seat group.
#pragma once

#define IDD_MAIN_DIALOG 206
#define IDM_SEAT_POPUP 105  // the seat launcher's popup menu

// Seat groups.
#define IDC_SEAT_LABEL 3000     // position name
#define IDC_SEAT_RANDOM 3010    // the all-hands word
#define IDC_SEAT_CLEAR 3020
#define IDC_SEAT_MENU 3030      // popup menu launcher
#define IDC_SEAT_RANGE 3040     // range text
#define IDC_SEAT_CHECK 3100     // seat takes part
#define IDC_SEAT_HISTORY 1570   // input history combo
#define IDC_SEAT_COUNT 1440     // number of hands of the range
#define IDC_SEAT_EXPLORER 1450  // hand range explorer
#define IDC_SEAT_PREFLOP 1130   // equity or preflop equity
#define IDC_SEAT_FLOP 1090
#define IDC_SEAT_TURN 1110
#define IDC_SEAT_RIVER 1210
#define SEAT_COUNT_MAX 10

// Column headers.
#define IDC_HEADER_RANGE 1041
#define IDC_HEADER_COMBOS 1065
#define IDC_HEADER_PREFLOP 1070
#define IDC_HEADER_FLOP 1069
#define IDC_HEADER_TURN 1066
#define IDC_HEADER_RIVER 1042

// Board and dead cards.
#define IDC_FLOP_LABEL 1043
#define IDC_TURN_LABEL 1046
#define IDC_RIVER_LABEL 1056
#define IDC_DEAD_LABEL 1605
#define IDC_FLOP_EDIT 3070
#define IDC_TURN_EDIT 3071
#define IDC_RIVER_EDIT 3072
#define IDC_DEAD_EDIT 1600
#define IDC_FLOP_SELECT 1045
#define IDC_TURN_SELECT 1052
#define IDC_RIVER_SELECT 1059
#define IDC_DEAD_SELECT 1606
#define IDC_FLOP_CLEAR 1049
#define IDC_TURN_CLEAR 1054
#define IDC_RIVER_CLEAR 1061
#define IDC_DEAD_CLEAR 1607
#define IDC_FLOP_CHECK 3122
#define IDC_TURN_CHECK 1601
#define IDC_RIVER_CHECK 1602
#define IDC_DEAD_CHECK 1603
#define IDC_FLOP_CARDS 1016
#define IDC_TURN_CARDS 1017
#define IDC_RIVER_CARDS 1018
#define IDC_DEAD_CARDS 1604

// Commands and the result area.
#define IDC_ALL_STREETS 1068
#define IDC_EVALUATE_TO_STREET 1202
#define IDC_CLEAR_ALL 3073
#define IDC_EVALUATE 1039
#define IDC_RESULT_BROWSER 1369
#define IDC_COPY_TEXT 3074
#define IDC_COPY_BBCODE 3075
#define IDC_BANNER 1608

// Seat popup commands.
#define ID_SEAT_CARD_SELECTION 32777
#define ID_SEAT_RANGE_SELECTION 32778
#define ID_SEAT_PERCENTILE_SELECTION 32779
#define ID_SEAT_DIALOG_OPTIONS 32798
