# Every dependency comes from a Debian package; scripts/setup fetches the trixie ones into
# BRIMVALE_DEPS_DIR and copies the stb headers there, so a Mac build needs that folder alone.
# This file turns them into static libraries of our own build.
set(VST3_SDK_DIR "${BRIMVALE_DEPS_DIR}/vst3sdk")
set(NANOVG_DIR "${BRIMVALE_DEPS_DIR}/nanovg")
set(NANOSVG_INCLUDE_DIR "${BRIMVALE_DEPS_DIR}/nanosvg/include")
set(STB_INCLUDE_DIR "${BRIMVALE_DEPS_DIR}/stb")

foreach(marker "${VST3_SDK_DIR}/.unpacked" "${NANOVG_DIR}/.unpacked" "${NANOSVG_INCLUDE_DIR}/nanosvg/nanosvg.h"
        "${STB_INCLUDE_DIR}/stb_truetype.h")
  if(NOT EXISTS "${marker}")
    message(FATAL_ERROR "Dependencies are missing (${marker}); run scripts/setup first.")
  endif()
endforeach()

find_package(Threads REQUIRED)
include(Vst3Sdk)

# stb and nanosvg are header-only; one source file of ours defines their implementations.
add_library(stb INTERFACE)
target_include_directories(stb SYSTEM INTERFACE ${STB_INCLUDE_DIR})
add_library(nanosvg INTERFACE)
target_include_directories(nanosvg SYSTEM INTERFACE ${NANOSVG_INCLUDE_DIR})

add_library(nanovg STATIC ${NANOVG_DIR}/src/nanovg.c)
target_include_directories(nanovg SYSTEM PUBLIC ${NANOVG_DIR}/src)
target_link_libraries(nanovg PUBLIC stb)
if(NOT WIN32)
  target_link_libraries(nanovg PUBLIC m)
endif()

# OpenGL function loader, generated offline at configure time into the build tree. The Mac build
# draws with Metal and has no use for it.
if(APPLE)
  return()
endif()
set(GLAD_DIR "${CMAKE_BINARY_DIR}/glad")
if(WIN32)
  set(GLAD_API "gl:compatibility=2.1,wgl=1.0")
  set(GLAD_EXTENSIONS "GL_ARB_framebuffer_object,GL_EXT_framebuffer_object,WGL_ARB_extensions_string,WGL_EXT_extensions_string,WGL_ARB_create_context,WGL_ARB_create_context_profile,WGL_ARB_pixel_format,WGL_EXT_swap_control")
else()
  set(GLAD_API "gl:compatibility=2.1")
  set(GLAD_EXTENSIONS "GL_ARB_framebuffer_object,GL_EXT_framebuffer_object")
endif()
if(NOT EXISTS "${GLAD_DIR}/src/gl.c")
  find_program(GLAD_EXECUTABLE glad REQUIRED)
  execute_process(
    COMMAND ${GLAD_EXECUTABLE} --quiet --reproducible --api ${GLAD_API}
            --extensions ${GLAD_EXTENSIONS} --out-path ${GLAD_DIR} c --loader
    RESULT_VARIABLE glad_result OUTPUT_QUIET ERROR_VARIABLE glad_error)
  if(NOT glad_result EQUAL 0)
    message(FATAL_ERROR "glad failed: ${glad_error}")
  endif()
endif()
add_library(glad STATIC ${GLAD_DIR}/src/gl.c)
if(WIN32)
  target_sources(glad PRIVATE ${GLAD_DIR}/src/wgl.c)
  target_link_libraries(glad PUBLIC opengl32 gdi32)
else()
  target_link_libraries(glad PUBLIC ${CMAKE_DL_LIBS})
endif()
target_include_directories(glad SYSTEM PUBLIC ${GLAD_DIR}/include)
