#include "lang/fonts_win.h"

#include <string>

namespace trv::win {

Font makeFont(const FontSpec& spec) {
    const std::wstring face(spec.face.begin(), spec.face.end());
    return Font(::CreateFontW(spec.height, FontSpec::kWidth, FontSpec::kEscapement,
                              FontSpec::kOrientation, spec.weight, FontSpec::kItalic,
                              FontSpec::kUnderline, FontSpec::kStrikeOut, spec.charset,
                              FontSpec::kOutPrecision, FontSpec::kClipPrecision, FontSpec::kQuality,
                              FontSpec::kPitchAndFamily, face.c_str()));
}

WindowsVersion runningWindowsVersion() {
    const DWORD version = ::GetVersion();
    return WindowsVersion{LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version))};
}

}  // namespace trv::win
