# Lets CMake on Linux describe the macOS bundle's build as it would on a Mac, for
# scripts/check-darwin-build, which reads the build graph. No compiler is ever run: each one is
# declared as Apple's clang of Xcode 14 and taken as working, and the few answers CMake would
# otherwise compile a test program for are given as a Mac gives them. Nothing is built with it.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_VERSION 22.6.0) # macOS 13
set(CMAKE_SYSTEM_PROCESSOR arm64)
# A Mac configures for itself.
set(CMAKE_CROSSCOMPILING FALSE)

# Each compiler taken as Apple clang 14, identified and working without a run.
foreach(lang C CXX OBJC OBJCXX)
  set(CMAKE_${lang}_COMPILER_ID_RUN TRUE)
  set(CMAKE_${lang}_COMPILER_FORCED TRUE)
  set(CMAKE_${lang}_COMPILER_ID AppleClang)
  set(CMAKE_${lang}_COMPILER_VERSION 14.0.3.14030022)
  set(CMAKE_${lang}_COMPILER_FRONTEND_VARIANT GNU)
endforeach()
# The Mac's paths of Apple's clang; here they name Debian's clang, which is never run.
set(CMAKE_C_COMPILER /usr/bin/clang)
set(CMAKE_OBJC_COMPILER /usr/bin/clang)
set(CMAKE_CXX_COMPILER /usr/bin/clang++)
set(CMAKE_OBJCXX_COMPILER /usr/bin/clang++)
# The language levels Apple clang 14 offers, which CMake would find by compiling probes.
foreach(lang C OBJC)
  set(CMAKE_${lang}_COMPILE_FEATURES c_std_90 c_std_99 c_std_11 c_std_17)
endforeach()
foreach(lang CXX OBJCXX)
  set(CMAKE_${lang}_COMPILE_FEATURES cxx_std_98 cxx_std_11 cxx_std_14 cxx_std_17 cxx_std_20)
endforeach()
# The SDK by name, as xcrun would resolve it on a Mac; here nothing resolves it.
set(CMAKE_OSX_SYSROOT macosx)

# FindThreads compiles a probe for these; the Mac's C library has POSIX threads in it.
set(CMAKE_HAVE_PTHREAD_H 1)
set(CMAKE_HAVE_LIBC_PTHREAD 1)
# Asked for once Objective-C is enabled; the Mac's own, never run here.
set(CMAKE_INSTALL_NAME_TOOL /usr/bin/install_name_tool)
