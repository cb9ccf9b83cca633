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

# The font the editor draws with, from the fonts-roboto-unhinted package: on Debian where the
# package installs it, beside the family's other faces (the headless editor finds fonts there, and
# tests install them as system fonts); on a Mac the copy that scripts/setup makes in the dependency
# folder. Its file name names it wherever it travels: in the bundle, among the Windows module's
# resources and in the editor's code (BrimvaleVersion.h).
if(APPLE)
  set(brimvale_font_dir "${BRIMVALE_DEPS_DIR}/roboto")
else()
  set(brimvale_font_dir /usr/share/fonts/truetype/roboto/unhinted/RobotoTTF)
endif()
set(BRIMVALE_FONT_FILE "${brimvale_font_dir}/Roboto-Regular.ttf" CACHE FILEPATH "The editor's font, to embed and ship")
if(NOT EXISTS "${BRIMVALE_FONT_FILE}")
  message(FATAL_ERROR "${BRIMVALE_FONT_FILE} is missing; run scripts/setup")
endif()
get_filename_component(BRIMVALE_FONT_DIR "${BRIMVALE_FONT_FILE}" DIRECTORY)
get_filename_component(BRIMVALE_FONT_FILE_NAME "${BRIMVALE_FONT_FILE}" NAME)
get_filename_component(BRIMVALE_FONT_NAME "${BRIMVALE_FONT_FILE}" NAME_WE)

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
