# The VST3 bundle layout, one place for the module that is built into it and the tests that load
# it: Brimvale.vst3/Contents/<arch>/Brimvale<suffix>, resources in Contents/Resources. The Linux
# bundle exists for the test host and the validator. The macOS bundle keeps its executable in
# Contents/MacOS beside Info.plist and PkgInfo; the macOS lane builds the same layout on Linux.
set(BRIMVALE_BUNDLE_DIR "${CMAKE_BINARY_DIR}/${PROJECT_NAME}.vst3")
if(APPLE OR BRIMVALE_MACOS_STANDINS)
  set(BRIMVALE_BUNDLE_ARCH MacOS)
  set(BRIMVALE_BUNDLE_SUFFIX "")
elseif(WIN32)
  set(BRIMVALE_BUNDLE_ARCH x86_64-win)
  set(BRIMVALE_BUNDLE_SUFFIX .vst3)
else()
  set(BRIMVALE_BUNDLE_ARCH x86_64-linux)
  set(BRIMVALE_BUNDLE_SUFFIX .so)
endif()
