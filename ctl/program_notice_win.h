#pragma once
// Tells a running TRV418.exe that the tool changed the mouse, config.bin or
// str.ini, so that it loads them again instead of writing its old settings
// over them at the next OK or Apply.

namespace trv::ctl {

// Posts the settings-changed message to every main window of TRV418.exe in
// this session; none running is no fault. Never waits for an answer: the
// program may be showing a message box, or hang, and the tool must still end.
void tellRunningProgram();

}  // namespace trv::ctl
