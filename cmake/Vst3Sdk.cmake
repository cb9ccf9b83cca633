# The VST3 SDK's sources compiled as our own static libraries, so both lanes build them the same
# way without the SDK's own CMake platform set-up.
set(S ${VST3_SDK_DIR})
set(VST3_SDK_DEFINES $<IF:$<CONFIG:Debug>,DEVELOPMENT=1,RELEASE=1>)

function(vst3_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} SYSTEM PUBLIC ${S})
  target_compile_definitions(${name} PUBLIC ${VST3_SDK_DEFINES})
  target_compile_options(${name} PRIVATE -w)
  if(APPLE)
    # The SDK's Objective-C is written for automatic reference counting (some files stop without it).
    target_compile_options(${name} PRIVATE $<$<COMPILE_LANGUAGE:OBJC,OBJCXX>:-fobjc-arc>)
  endif()
endfunction()

vst3_library(vst3_pluginterfaces
  ${S}/pluginterfaces/base/conststringtable.cpp
  ${S}/pluginterfaces/base/coreiids.cpp
  ${S}/pluginterfaces/base/funknown.cpp
  ${S}/pluginterfaces/base/ustring.cpp)
if(WIN32)
  target_link_libraries(vst3_pluginterfaces PUBLIC ole32 uuid)
endif()

vst3_library(vst3_base
  ${S}/base/source/baseiids.cpp
  ${S}/base/source/fbuffer.cpp
  ${S}/base/source/fdebug.cpp
  ${S}/base/source/fdynlib.cpp
  ${S}/base/source/fobject.cpp
  ${S}/base/source/fstreamer.cpp
  ${S}/base/source/fstring.cpp
  ${S}/base/source/timer.cpp
  ${S}/base/source/updatehandler.cpp
  ${S}/base/thread/source/fcondition.cpp
  ${S}/base/thread/source/flock.cpp)
target_link_libraries(vst3_base PUBLIC vst3_pluginterfaces Threads::Threads)

vst3_library(vst3_sdk_common
  ${S}/public.sdk/source/common/commoniids.cpp
  ${S}/public.sdk/source/common/openurl.cpp
  ${S}/public.sdk/source/common/readfile.cpp
  ${S}/public.sdk/source/common/memorystream.cpp
  ${S}/public.sdk/source/vst/vstpresetfile.cpp)
if(WIN32)
  target_sources(vst3_sdk_common PRIVATE
    ${S}/public.sdk/source/common/systemclipboard_win32.cpp
    ${S}/public.sdk/source/common/threadchecker_win32.cpp)
  target_link_libraries(vst3_sdk_common PUBLIC shell32 user32)
elseif(APPLE)
  target_sources(vst3_sdk_common PRIVATE
    ${S}/public.sdk/source/common/systemclipboard_mac.mm
    ${S}/public.sdk/source/common/threadchecker_mac.mm)
  target_link_libraries(vst3_sdk_common PUBLIC "-framework AppKit" "-framework Foundation")
else()
  target_sources(vst3_sdk_common PRIVATE
    ${S}/public.sdk/source/common/systemclipboard_linux.cpp
    ${S}/public.sdk/source/common/threadchecker_linux.cpp)
endif()
target_link_libraries(vst3_sdk_common PUBLIC vst3_base)

# What a plug-in module needs: the single-component effect, the factory and the parameter classes.
# vstsinglecomponenteffect.cpp includes vsteditcontroller.cpp itself, so that one is not listed.
vst3_library(vst3_sdk
  ${S}/public.sdk/source/common/pluginview.cpp
  ${S}/public.sdk/source/main/pluginfactory.cpp
  ${S}/public.sdk/source/main/moduleinit.cpp
  ${S}/public.sdk/source/vst/utility/stringconvert.cpp
  ${S}/public.sdk/source/vst/vstaudioeffect.cpp
  ${S}/public.sdk/source/vst/vstbus.cpp
  ${S}/public.sdk/source/vst/vstcomponent.cpp
  ${S}/public.sdk/source/vst/vstcomponentbase.cpp
  ${S}/public.sdk/source/vst/vstinitiids.cpp
  ${S}/public.sdk/source/vst/vstparameters.cpp
  ${S}/public.sdk/source/vst/vstsinglecomponenteffect.cpp)
target_link_libraries(vst3_sdk PUBLIC vst3_sdk_common)

# The module's exported entry points; compiled into the module itself so the exports survive.
if(WIN32)
  set(VST3_MODULE_ENTRY_SOURCE ${S}/public.sdk/source/main/dllmain.cpp)
elseif(BRIMVALE_MACOS)
  # bundleEntry / bundleExit; on the Linux macOS lane against the CoreFoundation stand-in.
  set(VST3_MODULE_ENTRY_SOURCE ${S}/public.sdk/source/main/macmain.cpp)
else()
  set(VST3_MODULE_ENTRY_SOURCE ${S}/public.sdk/source/main/linuxmain.cpp)
endif()

# The rest is a host's side, for the tools and tests that load a built bundle.
if(NOT BRIMVALE_TESTS)
  return()
endif()

# What a host needs to load a module and drive it.
vst3_library(vst3_hosting
  ${S}/public.sdk/source/vst/hosting/connectionproxy.cpp
  ${S}/public.sdk/source/vst/hosting/eventlist.cpp
  ${S}/public.sdk/source/vst/hosting/hostclasses.cpp
  ${S}/public.sdk/source/vst/hosting/module.cpp
  ${S}/public.sdk/source/vst/hosting/parameterchanges.cpp
  ${S}/public.sdk/source/vst/hosting/pluginterfacesupport.cpp
  ${S}/public.sdk/source/vst/hosting/plugprovider.cpp
  ${S}/public.sdk/source/vst/hosting/processdata.cpp
  ${S}/public.sdk/source/vst/moduleinfo/moduleinfoparser.cpp
  ${S}/public.sdk/source/vst/utility/stringconvert.cpp
  ${S}/public.sdk/source/vst/vstinitiids.cpp)
if(WIN32)
  target_sources(vst3_hosting PRIVATE ${S}/public.sdk/source/vst/hosting/module_win32.cpp)
elseif(APPLE)
  target_sources(vst3_hosting PRIVATE ${S}/public.sdk/source/vst/hosting/module_mac.mm)
  target_link_libraries(vst3_hosting PUBLIC "-framework Foundation" "-framework CoreFoundation")
else()
  target_sources(vst3_hosting PRIVATE ${S}/public.sdk/source/vst/hosting/module_linux.cpp)
  target_link_libraries(vst3_hosting PUBLIC ${CMAKE_DL_LIBS})
endif()
target_link_libraries(vst3_hosting PUBLIC vst3_sdk_common)

file(GLOB_RECURSE VST3_TESTSUITE_SOURCES ${S}/public.sdk/source/vst/testsuite/*.cpp)
add_executable(validator
  ${VST3_TESTSUITE_SOURCES}
  ${S}/public.sdk/source/main/moduleinit.cpp
  ${S}/public.sdk/source/vst/hosting/test/connectionproxytest.cpp
  ${S}/public.sdk/source/vst/hosting/test/eventlisttest.cpp
  ${S}/public.sdk/source/vst/hosting/test/hostclassestest.cpp
  ${S}/public.sdk/source/vst/hosting/test/parameterchangestest.cpp
  ${S}/public.sdk/source/vst/hosting/test/pluginterfacesupporttest.cpp
  ${S}/public.sdk/source/vst/hosting/test/processdatatest.cpp
  ${S}/public.sdk/source/vst/utility/testing.cpp
  ${S}/public.sdk/samples/vst-hosting/validator/source/main.cpp
  ${S}/public.sdk/samples/vst-hosting/validator/source/usediids.cpp
  ${S}/public.sdk/samples/vst-hosting/validator/source/validator.cpp)
target_link_libraries(validator PRIVATE vst3_hosting)
target_compile_options(validator PRIVATE -w)
if(WIN32)
  target_link_options(validator PRIVATE -municode) # its entry point is wmain
endif()
