# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into DEST (as DESTDIR, prefix /usr), then checks the installed files.
file(REMOVE_RECURSE "${DEST}")
set(ENV{DESTDIR} "${DEST}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}\n${err}")
endif()
set(root "${DEST}/usr")
foreach(f ${BINDIR}/veltrix-panel ${BINDIR}/veltrix-cli
          ${DATADIR}/applications/io.github.veltrix.Panel.desktop
          ${DATADIR}/metainfo/io.github.veltrix.Panel.metainfo.xml
          ${DATADIR}/icons/hicolor/scalable/apps/veltrix-panel.svg ${MANDIR}/man1/veltrix-cli.1.gz
          ${MANDIR}/man1/veltrix-panel.1.gz ${DATADIR}/doc/veltrix-panel/copyright
          ${DATADIR}/doc/veltrix-panel/changelog.gz lib/systemd/system/veltrix-record@.service
          lib/sysusers.d/veltrix.conf)
  if(NOT EXISTS "${root}/${f}")
    message(FATAL_ERROR "not installed: /usr/${f}")
  endif()
endforeach()
foreach(exe ${BINDIR}/veltrix-panel ${BINDIR}/veltrix-cli ${LIBEXECDIR}/veltrix-panel/veltrix-report)
  if(NOT EXISTS "${root}/${exe}")
    message(FATAL_ERROR "${exe} missing")
  endif()
  execute_process(COMMAND test -x "${root}/${exe}" RESULT_VARIABLE notx)
  if(notx)
    message(FATAL_ERROR "${exe} is not executable")
  endif()
endforeach()
# The installed tool finds its report writer.
execute_process(COMMAND "${root}/${BINDIR}/veltrix-cli" report --help RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--out")
  message(FATAL_ERROR "veltrix-cli report --help failed (${rc}):\n${out}${err}")
endif()
# Nothing but what the package should hold (no test programs, no static libraries).
file(GLOB_RECURSE installed RELATIVE "${root}" "${root}/*")
list(LENGTH installed count)
if(NOT count EQUAL 12)
  message(FATAL_ERROR "expected 12 installed files, got ${count}: ${installed}")
endif()
file(READ "${root}/${DATADIR}/applications/io.github.veltrix.Panel.desktop" desktop)
foreach(line "Exec=veltrix-panel" "Icon=veltrix-panel" "Type=Application")
  string(FIND "${desktop}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} "${root}/${DATADIR}/applications/io.github.veltrix.Panel.desktop"
                  RESULT_VARIABLE vrc OUTPUT_VARIABLE vout ERROR_VARIABLE verr)
  if(NOT vrc EQUAL 0 OR NOT "${vout}${verr}" STREQUAL "") # its hints and warnings count too
    message(FATAL_ERROR "desktop entry invalid:\n${vout}${verr}")
  endif()
else()
  message(STATUS "desktop-file-validate not installed (package desktop-file-utils): entry not validated")
endif()
file(READ "${root}/${DATADIR}/icons/hicolor/scalable/apps/veltrix-panel.svg" svg)
if(NOT svg MATCHES "<svg")
  message(FATAL_ERROR "the icon is not an SVG image")
endif()
file(REMOVE_RECURSE "${DEST}")
message(STATUS "install into DESTDIR checked")
