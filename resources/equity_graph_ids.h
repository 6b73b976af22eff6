// The equity graph dialog (equity_graph_dialog.rc).
#pragma once

#define IDD_EQUITY_GRAPH 208
#define IDC_GRAPH_DIAGRAM 1102
#define IDC_GRAPH_CALCULATE 1103
#define IDC_GRAPH_SAVE 1104
#define IDC_GRAPH_RANGE_VS_RANGE 1105
#define IDC_GRAPH_HAND_VS_HAND 1106
#define IDC_GRAPH_HAND_VS_RANGE 1107
#define IDC_GRAPH_QUALITY 1277
#define IDC_GRAPH_QUALITY_BEST 1278
#define IDC_GRAPH_QUALITY_FAST 1279
#define IDC_GRAPH_METHOD_GROUP 1280

// Outcomes left out of a graph because no valid deal was found for them.
#define IDS_GRAPH_OUTCOMES_LEFT_OUT 9101
