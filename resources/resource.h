// Resource ids shared by the program's code and its resource scripts.
#pragma once

#include "button_images.h"
#include "card_images.h"
#include "frame_resources.h"
#include "pages.h"
#include "pictures.h"
#include "string_table.h"

#define OV_VERSION_MAJOR 1
#define OV_VERSION_MINOR 0
#define OV_VERSION_PATCH 0
#define OV_VERSION_BUILD 0
#define OV_VERSION_TEXT "1.0.0.0"
