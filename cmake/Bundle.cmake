# The VST3 bundle layout, one place for the module that is built into it and the tests that load
# it: Brimvale.vst3/Contents/<arch>/Brimvale<suffix>, resources in Contents/Resources. The Linux
# bundle exists for the test host and the validator.
set(BRIMVALE_BUNDLE_DIR "${CMAKE_BINARY_DIR}/Brimvale.vst3")
if(WIN32)
  set(BRIMVALE_BUNDLE_ARCH x86_64-win)
  set(BRIMVALE_BUNDLE_SUFFIX .vst3)
else()
  set(BRIMVALE_BUNDLE_ARCH x86_64-linux)
  set(BRIMVALE_BUNDLE_SUFFIX .so)
endif()
