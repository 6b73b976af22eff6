// The framework: objects, strings, collections, files, archives, exceptions,
// windows and message maps, GDI wrappers, menus, image lists, threads and the
// application object.
#pragma once

#include "framework/afx.h"
#include "framework/geometry.h"
#include "framework/gdi.h"
#include "framework/dc.h"
#include "framework/menu.h"
#include "framework/imagelist.h"
#include "framework/msgmap.h"
#include "framework/cmdtarget.h"
#include "framework/wnd.h"
#include "framework/app.h"
