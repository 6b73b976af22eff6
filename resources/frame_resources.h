// Ids of the frame's icon, tool bar and the link cursor (frame_resources.rc).
#pragma once

#define IDI_APP_ICON 100        // frame, main dialog and explorer windows
#define IDR_TOOLBAR 100         // tool-bar resource: 16 x 16 buttons on bitmap 100
#define IDB_TOOLBAR 100         // the tool bar's pictures; silver RGB(192, 192, 192) is transparent
#define IDCUR_HAND_LINK 1013    // the banner's link cursor
