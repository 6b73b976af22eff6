// The main dialog's template (main_dialog.rc).
#pragma once

#define IDD_MAIN_DIALOG 206
