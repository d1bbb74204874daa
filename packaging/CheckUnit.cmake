# The recording service's unit: its sandbox and restart lines, then systemd-analyze verify where
# systemd is installed (on an instance of the template, with the built tool in its ExecStart).
file(READ "${UNIT}" unit)
foreach(line "User=veltrix" "SupplementaryGroups=dialout" "ProtectSystem=strict"
             "ProtectHome=yes" "NoNewPrivileges=yes" "PrivateTmp=yes" "StateDirectory=veltrix/%i"
             "Restart=on-failure" "RestartPreventExitStatus=2 5" "KillSignal=SIGTERM"
             "--config /etc/veltrix/%i.conf" "--rotate daily" "/var/lib/veltrix/%i/"
             "WantedBy=multi-user.target")
  string(FIND "${unit}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the unit lacks '${line}'")
  endif()
endforeach()
# Nothing writable but the state folder, the device locks and an optional textfile folder.
string(REGEX MATCHALL "ReadWritePaths=[^\n]*" writable "${unit}")
if(NOT writable STREQUAL "ReadWritePaths=/run/lock;ReadWritePaths=-/var/lib/prometheus/node-exporter")
  message(FATAL_ERROR "unexpected writable paths: ${writable}")
endif()
find_program(ANALYZE systemd-analyze)
if(NOT ANALYZE)
  message(STATUS "systemd-analyze not installed: verify skipped")
  return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(REPLACE "/usr/bin/veltrix-cli" "${CLI}" unit "${unit}")
file(WRITE "${WORK}/veltrix-record@ttyUSB0.service" "${unit}")
execute_process(COMMAND ${ANALYZE} verify --man=no "${WORK}/veltrix-record@ttyUSB0.service"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "systemd-analyze verify (${rc}):\n${out}${err}")
endif()
file(REMOVE_RECURSE "${WORK}")
