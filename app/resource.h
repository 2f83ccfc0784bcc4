#pragma once
// Resource and command identifiers shared by the resource script and the code.

#define IDD_TRV418_DIALOG 700
#define IDR_MAINFRAME 720
#define ID_TRAY_EXIT 1028
// The notification icon's menu: profiles and backups.
#define ID_TRAY_SAVE_PROFILE 1029
#define ID_TRAY_OPEN_PROFILES 1030
#define ID_TRAY_BACKUP 1031
#define ID_TRAY_RESTORE 1032
// One per profile in the menu, from the first on (at most ID_TRAY_PROFILE_COUNT).
#define ID_TRAY_FIRST_PROFILE 1100
#define ID_TRAY_PROFILE_COUNT 200
// The assignment dialogs' templates (701 to 712).
#include "../ui/assignment_dialog_ids.h"
