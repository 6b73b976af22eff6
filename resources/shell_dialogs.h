// Dialog templates of the application shell (shell_dialogs.rc).
#pragma once

// The form view: an empty child the main dialog is laid over.
#define IDD_FORM_VIEW 207

