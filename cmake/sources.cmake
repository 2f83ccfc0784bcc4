# Source sets by naming rule, so a new file joins its set without editing the build:
#   <area>/*.cpp            portable rules, built into trv_core on every platform
#   <area>/*_win.cpp        Win32 adapters, built into trv_win for Windows only
#   window/*.cpp            the thin dialog framework (Windows only)
# Files that pick the HID backend or hold an entry point are listed by name in
# CMakeLists.txt, because exactly one of each goes into an executable.
set(TRV_AREAS app device config assign perf input ui lang settings ctl)

set(TRV_CORE_SOURCES "")
set(TRV_WIN_SOURCES "")
foreach(area IN LISTS TRV_AREAS)
    file(GLOB area_sources CONFIGURE_DEPENDS "${TRV_ROOT}/${area}/*.cpp")
    foreach(src IN LISTS area_sources)
        if(src MATCHES "_entry_win\\.cpp$|_backend_win\\.cpp$")
            continue()
        elseif(src MATCHES "_win\\.cpp$")
            list(APPEND TRV_WIN_SOURCES "${src}")
        else()
            list(APPEND TRV_CORE_SOURCES "${src}")
        endif()
    endforeach()
endforeach()
