#include <windows.h>

#include "app/hid_mouse_app_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    trv::CHidMouseApp app(instance);
    return app.Run();
}
