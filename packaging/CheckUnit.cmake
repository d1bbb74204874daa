# SPDX-License-Identifier: GPL-3.0-or-later
# The recording service's unit: its sandbox and restart lines, then systemd-analyze verify where
# systemd is installed (on an instance of the template, with the built tool in its ExecStart).
file(READ "${UNIT}" unit)
foreach(line "User=veltrix" "SupplementaryGroups=dialout" "ProtectSystem=strict"
             "ProtectHome=yes" "NoNewPrivileges=yes" "PrivateTmp=yes" "StateDirectory=veltrix/%i"
             "Restart=on-failure" "RestartPreventExitStatus=2 5" "KillSignal=SIGTERM"
             "--config /etc/veltrix/%i.conf" "--rotate daily" "/var/lib/veltrix/%i/"
             "WantedBy=multi-user.target" "DevicePolicy=closed" "DeviceAllow=/dev/%I rw"
             "DeviceAllow=char-ttyUSB rw" "DeviceAllow=char-ttyACM rw"
             "RestrictAddressFamilies=AF_UNIX AF_INET AF_INET6\n")
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
  message(STATUS "systemd-analyze not installed (package systemd): verify and security rating skipped")
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
# The sandbox as systemd rates it (0 = nothing exposed, 10 = everything; the aim was 2.0): 1.3
# with systemd 252, a tenth to spare for another version's weights, so that dropping any of the
# larger settings fails. What is left is the network the feeds need and the meter's devices.
execute_process(COMMAND ${ANALYZE} security --offline=true --threshold=14 --no-pager
                        "${WORK}/veltrix-record@ttyUSB0.service"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCH "Overall exposure level[^\n]*" level "${out}")
if(NOT rc EQUAL 0 OR level STREQUAL "")
  message(FATAL_ERROR "systemd-analyze security (${rc}), more than 1.4 exposed:\n${out}${err}")
endif()
message(STATUS "${level}")
file(REMOVE_RECURSE "${WORK}")
