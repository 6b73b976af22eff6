#include "controls/near_white_brush.h"

CBrush g_nearWhiteBrush(RGB(254, 254, 254));
