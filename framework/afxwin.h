// The framework: objects, strings, collections, files, archives, exceptions,
// windows and message maps, GDI wrappers, menus, image lists, threads and
// synchronisation, the application object, documents, views and frames,
// dialogs with data exchange, and the control wrappers. The image class
// (image.h), the HTTP client (inet.h) and the web-browser control
// (webbrowser.h) have headers of their own.
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
#include "framework/sync.h"
#include "framework/fwres.h"
#include "framework/wndlayout.h"
#include "framework/ctrl_basic.h"
#include "framework/ctrl_lists.h"
#include "framework/ctrl_common.h"
#include "framework/ctrl_tree.h"
#include "framework/dialog.h"
#include "framework/dlgdata.h"
#include "framework/filedialog.h"
#include "framework/doc.h"
#include "framework/view.h"
#include "framework/frame.h"
#include "framework/barstyles.h"
#include "framework/prompts.h"
#include "framework/controlbar.h"
#include "framework/dockbar.h"
#include "framework/dockcontext.h"
#include "framework/miniframe.h"
#include "framework/statusbar.h"
#include "framework/doctempl.h"
#include "framework/recentfiles.h"
#include "framework/cmdline.h"
#include "framework/stdiofile.h"
#include "framework/clipboard.h"
#include "framework/eventsink.h"
