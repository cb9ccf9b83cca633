# The macOS layer's frameworks as one interface target, brimvale_macos_frameworks, and the
# Objective-C++ settings of the lane.
#
# On a Mac these are the system's frameworks and MetalNanoVG from the VST3 SDK's sources. On the
# Linux `macos` lane GNUstep Foundation is the real Foundation, and the other frameworks are our
# stand-ins under tests/standins/macos, found through the same <Framework/Header.h> names, so the
# product code never names a path of its own for them.
enable_language(OBJC OBJCXX)
set(CMAKE_OBJCXX_STANDARD 17)
set(CMAKE_OBJCXX_STANDARD_REQUIRED ON)
set(CMAKE_OBJCXX_EXTENSIONS OFF)
add_compile_definitions(BRIMVALE_MACOS=1)

add_library(brimvale_macos_frameworks INTERFACE)

if(APPLE)
  # The real bundle: Apple's toolchain and frameworks, manual retain/release as the code is written.
  set(MTL_DIR "${VST3_SDK_DIR}/public.sdk/samples/vst/dataexchange/source/3rdparty/MetalNanoVG/src")
  add_library(metalnanovg STATIC "${MTL_DIR}/nanovg_mtl.m")
  target_include_directories(metalnanovg SYSTEM PUBLIC "${MTL_DIR}")
  target_link_libraries(metalnanovg PUBLIC nanovg)
  target_compile_options(metalnanovg PRIVATE -fobjc-arc -w)
  target_link_libraries(brimvale_macos_frameworks INTERFACE metalnanovg
    "-framework AppKit" "-framework Foundation" "-framework CoreFoundation" "-framework CoreGraphics"
    "-framework CoreText" "-framework QuartzCore" "-framework Metal" "-framework AudioToolbox"
    "-framework Accelerate" "-framework CoreServices"
    # The file dialog names its types with UTType where the system has it (macOS 11 on); older
    # systems have no such framework, so the bundle must still load without it.
    "-weak_framework UniformTypeIdentifiers")
  target_compile_options(brimvale_macos_frameworks INTERFACE $<$<COMPILE_LANGUAGE:OBJC,OBJCXX>:-fno-objc-arc>)
  return()
endif()

# GNUstep Foundation with the GCC Objective-C runtime and the blocks runtime, no ARC, no libdispatch.
find_program(GNUSTEP_CONFIG gnustep-config REQUIRED)
execute_process(COMMAND ${GNUSTEP_CONFIG} --objc-flags OUTPUT_VARIABLE gs_objc_flags
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${GNUSTEP_CONFIG} --base-libs OUTPUT_VARIABLE gs_base_libs
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(gs_objc_flags UNIX_COMMAND "${gs_objc_flags}")
separate_arguments(gs_base_libs UNIX_COMMAND "${gs_base_libs}")
# Keep gnustep-config's definitions and language switches; its include folders become system
# folders (their headers are not ours to keep free of warnings), its warnings and optimisation go.
set(gs_compile)
set(gs_includes)
foreach(flag IN LISTS gs_objc_flags)
  if(flag MATCHES "^-I(.+)$")
    if(IS_DIRECTORY "${CMAKE_MATCH_1}" AND NOT CMAKE_MATCH_1 STREQUAL ".")
      list(APPEND gs_includes "${CMAKE_MATCH_1}")
    endif()
  elseif(flag MATCHES "^-(D|f)" OR flag STREQUAL "-pthread")
    list(APPEND gs_compile "${flag}")
  endif()
endforeach()
# The GCC runtime's headers (objc/objc.h) live in GCC's own include folder, which clang does not
# search; it goes after clang's folders so that clang keeps its own stddef.h and friends.
execute_process(COMMAND gcc -print-file-name=include OUTPUT_VARIABLE gcc_include
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(objc_flags -fobjc-runtime=gcc -fblocks -fno-objc-arc ${gs_compile} -idirafter${gcc_include})
set(standins_include ${PROJECT_SOURCE_DIR}/tests/standins/macos/include)
# brimvale_macos_objc: how anything here compiles and links against GNUstep (the stand-ins too).
add_library(brimvale_macos_objc INTERFACE)
target_compile_options(brimvale_macos_objc INTERFACE "$<$<COMPILE_LANGUAGE:OBJC,OBJCXX>:${objc_flags}>")
target_include_directories(brimvale_macos_objc SYSTEM INTERFACE ${standins_include} ${gs_includes})
# libBlocksRuntime goes first: GNUstep Base carries a blocks runtime of its own, whose Block_copy
# does not know the stack blocks that clang makes for libBlocksRuntime and hands them back uncopied.
target_link_libraries(brimvale_macos_objc INTERFACE BlocksRuntime ${gs_base_libs})
# A compile for Linux ignores the frameworks' availability attributes, so each product source that
# reads a framework header is compiled once more as a Mac build for the deployment target sees it:
# a call deprecated there, or newer and not guarded by @available, fails the lane as it fails a Mac
# build with -Werror. Tests and the stand-ins' own sources never run on a Mac and are not checked.
if(NOT BRIMVALE_MACOS_DEPLOYMENT_TARGET)
  message(FATAL_ERROR "BRIMVALE_MACOS_DEPLOYMENT_TARGET is not set")
endif()
set(mac_deployment_check ${PROJECT_SOURCE_DIR}/tests/standins/macos/mac-deployment-check)
foreach(lang C CXX OBJC OBJCXX)
  set(CMAKE_${lang}_COMPILER_LAUNCHER ${mac_deployment_check} --deployment-target ${BRIMVALE_MACOS_DEPLOYMENT_TARGET}
      --frameworks ${standins_include} --skip ${PROJECT_SOURCE_DIR}/tests --skip ${CMAKE_BINARY_DIR}
      --skip ${BRIMVALE_DEPS_DIR} --)
endforeach()
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/standins/macos ${CMAKE_BINARY_DIR}/standins/macos)
target_link_libraries(brimvale_macos_frameworks INTERFACE brimvale_macos_standins brimvale_macos_objc)
