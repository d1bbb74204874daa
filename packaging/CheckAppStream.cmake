# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into DEST (as DESTDIR, prefix /usr), then appstreamcli on the installed tree:
# the metainfo valid (no network: its addresses are not checked), its desktop entry found, its
# icon the entry's and installed, its newest release the project's version, and the panel's
# desktop file name the same id.
file(REMOVE_RECURSE "${DEST}")
set(ENV{DESTDIR} "${DEST}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${err}")
endif()
set(share "${DEST}/usr/${DATADIR}")
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net "${DEST}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0) # warnings fail too
  message(FATAL_ERROR "appstreamcli validate-tree (${rc}):\n${out}${err}")
endif()

file(READ "${share}/metainfo/io.github.veltrix.Panel.metainfo.xml" meta)
file(READ "${share}/applications/io.github.veltrix.Panel.desktop" desktop)
string(REGEX MATCH "<icon type=\"stock\">([^<]*)</icon>" _ "${meta}")
set(icon "${CMAKE_MATCH_1}")
if(icon STREQUAL "" OR NOT desktop MATCHES "\nIcon=${icon}\n")
  message(FATAL_ERROR "the metainfo's icon '${icon}' is not the desktop entry's")
endif()
if(NOT EXISTS "${share}/icons/hicolor/scalable/apps/${icon}.svg")
  message(FATAL_ERROR "icon ${icon}.svg not installed")
endif()
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${meta}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "newest release in the metainfo is '${CMAKE_MATCH_1}', the project is ${VERSION}")
endif()
# The panel gives the id as its desktop file name: a Wayland desktop finds the entry by it.
file(STRINGS "${DEST}/usr/${BINDIR}/veltrix-panel" named ENCODING UTF-16LE
     REGEX "^io\\.github\\.veltrix\\.Panel$")
if(named STREQUAL "")
  message(FATAL_ERROR "veltrix-panel does not name io.github.veltrix.Panel as its desktop file")
endif()
file(REMOVE_RECURSE "${DEST}")
message(STATUS "appstream: valid\n${out}")
