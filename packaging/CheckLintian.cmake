# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with cpack and runs lintian on it: no errors, no warnings.
set(out "${BUILD_DIR}/packaging/lintian-test")
file(REMOVE_RECURSE "${out}")
execute_process(COMMAND cpack -G DEB -B "${out}" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE cout ERROR_VARIABLE cerr)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${cout}\n${cerr}")
endif()
file(GLOB debs "${out}/*.deb")
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one package, got: ${debs}")
endif()
execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --tag-display-limit 0 ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE lout ERROR_VARIABLE lerr)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lintian reports:\n${lout}\n${lerr}")
endif()
# The unit file and the manual pages are in it.
execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing)
foreach(f lib/systemd/system/veltrix-record@.service lib/sysusers.d/veltrix.conf
          share/man/man1/veltrix-panel.1.gz share/man/man1/veltrix-cli.1.gz
          share/doc/veltrix-panel/copyright)
  string(FIND "${listing}" "/usr/${f}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks /usr/${f}:\n${listing}")
  endif()
endforeach()
file(REMOVE_RECURSE "${out}")
message(STATUS "lintian: clean\n${lout}")
