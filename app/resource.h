#pragma once
// Resource and command identifiers shared by the resource script and the code.

#define IDD_TRV418_DIALOG 700
#define IDR_MAINFRAME 720
#define ID_TRAY_EXIT 1028
