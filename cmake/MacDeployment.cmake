# Which Macs the bundle is built for. Included before project(), where CMake's Apple platform
# files read these; every other platform ignores them.
#
# The oldest macOS is the one the bundle's Info.plist tells the system (LSMinimumSystemVersion).
# It is read from there, so the compiler's deployment target and the plist cannot disagree;
# BRIMVALE_MACOS_DEPLOYMENT_TARGET holds it for whatever else needs it.
file(READ "${CMAKE_CURRENT_LIST_DIR}/../plugin/module/Info.plist.in" brimvale_plist)
if(NOT brimvale_plist MATCHES "<key>LSMinimumSystemVersion</key>[ \t\r\n]*<string>([0-9.]+)</string>")
  message(FATAL_ERROR "plugin/module/Info.plist.in names no LSMinimumSystemVersion")
endif()
set(BRIMVALE_MACOS_DEPLOYMENT_TARGET "${CMAKE_MATCH_1}")
unset(brimvale_plist)
set(CMAKE_OSX_DEPLOYMENT_TARGET "${BRIMVALE_MACOS_DEPLOYMENT_TARGET}")
# One bundle for Apple silicon and Intel Macs alike.
set(CMAKE_OSX_ARCHITECTURES "arm64;x86_64" CACHE STRING "Architectures of the macOS bundle")
