// Resource ids of the framework tests.
#pragma once

#define IDS_GREETING 101
#define IDS_PLAYER_FORMAT 102
#define IDS_TWO_ARGS 103
#define IDM_TEST_MENU 200
#define ID_CMD_FIRST 32770
#define ID_CMD_SECOND 32771
