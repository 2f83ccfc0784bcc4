#pragma once
// Template ids of the six assignment dialogs, shared by the code and the
// resource scripts.

#define IDD_SINGLE_KEY_DIALOG 701
#define IDD_WINDOWS_DIALOG 702
#define IDD_MEDIA_DIALOG 703
#define IDD_FIRE_KEY_DIALOG 704
#define IDD_SNIPE_DIALOG 711
#define IDD_HOT_KEY_DIALOG 712
