#pragma once
// Resource and command identifiers shared by the resource script and the code.

#define IDD_TRV418_DIALOG 700
#define IDR_MAINFRAME 720
#define ID_TRAY_EXIT 1028
// The assignment dialogs' templates (701 to 712).
#include "../ui/assignment_dialog_ids.h"
