#pragma once
// GDI fonts made from the portable font descriptions.

#include <windows.h>

#include "lang/fonts.h"
#include "window/handles.h"

namespace trv::win {

// Empty when GDI refuses the font.
Font makeFont(const FontSpec& spec);

// The running Windows' major and minor version as GetVersion reports them.
WindowsVersion runningWindowsVersion();

}  // namespace trv::win
