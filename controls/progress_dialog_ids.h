// Templates and controls of the progress dialogs (progress_dialogs.rc).
#pragma once

#define IDD_PROGRESS 201            // caption, status line, bar, Stop
#define IDD_PROGRESS_GIF 202        // animated picture beside a themed Stop button
#define IDC_PROGRESS_STATUS 1014    // "%0.0lf %% complete" of the list builders
#define IDC_PROGRESS_BAR 1040
#define IDC_PROGRESS_ANIMATION 1100
#define IDB_PROGRESS_STOP 2008      // the Stop button's image
