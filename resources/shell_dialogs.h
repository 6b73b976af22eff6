// Dialog templates of the application shell (shell_dialogs.rc).
#pragma once

// The form view: an empty child the main dialog is laid over.
#define IDD_FORM_VIEW 207

// The developer's number prompt: the class at which the random-hands experiment starts.
#define IDD_NUMBER_INPUT 205
#define IDC_NUMBER_LABEL 1296
#define IDC_NUMBER_EDIT 1063
