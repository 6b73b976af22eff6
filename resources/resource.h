// Resource ids shared by the program's code and its resource script.
#pragma once

#define IDS_APP_TITLE 100

#define OV_VERSION_MAJOR 1
#define OV_VERSION_MINOR 0
#define OV_VERSION_PATCH 0
#define OV_VERSION_BUILD 0
#define OV_VERSION_TEXT "1.0.0.0"
