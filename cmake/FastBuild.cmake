# SPDX-License-Identifier: GPL-3.0-or-later
# Build speed, applied in one place to every target of the tree once all folders are added, so that
# a new folder, target or file gets it without a line of its own (see "How long a first build
# takes" in README.md):
#  - precompiled headers: the Qt and standard headers nearly every file includes are compiled once
#    for each kind of target (window-free, widgets) and reused by every target of that kind;
#  - unity builds: the sources of a target are compiled a few at a time as one file, so the headers
#    they share are read once;
#  - a faster linker: lld where installed, else gold (binutils); GNU ld took four times as long
#    to link each test program.
# A source file whose file-local names (anonymous namespace, static) clash with another file's of
# the same target is compiled on its own: its name goes into veltrix_unity_alone below, which holds
# file names, not paths, so that moving a file to another folder keeps it there.

# Debug information as line tables only (-g1) in the default build: backtraces and sanitizer
# reports keep their files and lines, and the tree compiles and links about a tenth faster than
# with full -g. A build to step through in a debugger: -DCMAKE_BUILD_TYPE=Debug.
if(CMAKE_CXX_FLAGS_RELWITHDEBINFO STREQUAL "-O2 -g -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG")
endif()

option(VELTRIX_PCH "Precompile the Qt headers (once per kind of target)" ON)
option(VELTRIX_UNITY "Compile each target's sources as a few unity files" ON)

include(CheckLinkerFlag)
foreach(linker lld gold)
  check_linker_flag(CXX -fuse-ld=${linker} VELTRIX_HAVE_${linker})
  if(VELTRIX_HAVE_${linker})
    add_link_options(-fuse-ld=${linker})
    break()
  endif()
endforeach()

# A precompiled header is only used when the flags that shape it are the same as where it was
# built; executables would get -fPIE and libraries -fPIC. Both compile as -fPIC (the executables
# still link as PIE) so that one header serves both.
set(CMAKE_CXX_COMPILE_OPTIONS_PIE ${CMAKE_CXX_COMPILE_OPTIONS_PIC})

set(veltrix_pch_core
    <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QList> <QObject> <QPointer>
    <QString> <QStringList> <QTimer> <QElapsedTimer> <QCoreApplication> <QTextStream>
    <algorithm> <functional> <memory> <optional> <vector>)
set(veltrix_pch_widgets ${veltrix_pch_core}
    <QAction> <QApplication> <QCloseEvent> <QDialog> <QGroupBox> <QHBoxLayout> <QLabel>
    <QLineEdit> <QMainWindow> <QPainter> <QPushButton> <QVBoxLayout> <QWidget>)
# Qt Test's headers stay out: they read QT_TESTCASE_SOURCEDIR, which Qt defines as each test's own
# folder, and a header precompiled with another value would not be used.

# Files compiled on their own, each with the name it would clash on.
set(veltrix_unity_alone
    CsvExport.cpp         # Tab (RecordFile.cpp)
    ReferenceLevels.cpp   # tr() (Statistics.cpp)
    ReferenceFile.cpp     # tr() (Statistics.cpp)
    Assessment.cpp        # tr() (Statistics.cpp)
    Logger.cpp            # printOut() (cli)
    Options.cpp           # Options[] hides stats::Options (cli/Stats.cpp)
)

# Every target defined in dir and in the folders below it.
function(veltrix_tree_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    veltrix_tree_targets(${sub} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The Qt modules a target links, directly or through the libraries of the tree it links.
function(veltrix_qt_modules target out)
  set(seen)
  set(modules)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue t)
    if(t IN_LIST seen OR NOT TARGET ${t})
      continue()
    endif()
    list(APPEND seen ${t})
    if(t MATCHES "^Qt6::(.+)$")
      list(APPEND modules ${CMAKE_MATCH_1})
      continue()
    endif()
    get_target_property(type ${t} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${t} LINK_LIBRARIES)
    endif()
    get_target_property(interface_links ${t} INTERFACE_LINK_LIBRARIES)
    foreach(link IN LISTS links interface_links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.+)>$" "\\1" link "${link}")
      if(link AND NOT link MATCHES "-NOTFOUND$")
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${modules} PARENT_SCOPE)
endfunction()

# The kind of precompiled header a target can use: widgets or core.
function(veltrix_pch_kind target out)
  veltrix_qt_modules(${target} modules)
  if("Widgets" IN_LIST modules)
    set(${out} widgets PARENT_SCOPE)
  else()
    set(${out} core PARENT_SCOPE)
  endif()
endfunction()

# One small target per kind builds its precompiled header; the others reuse it.
function(veltrix_add_pch_owners)
  set(dir ${CMAKE_BINARY_DIR}/pch)
  set(libs_core Qt6::Core)
  set(libs_widgets Qt6::Widgets)
  foreach(kind core widgets)
    file(CONFIGURE OUTPUT ${dir}/pch_${kind}.cpp CONTENT "// Builds the ${kind} precompiled header.\n")
    add_library(veltrix_pch_${kind} OBJECT ${dir}/pch_${kind}.cpp)
    target_link_libraries(veltrix_pch_${kind} PRIVATE ${libs_${kind}})
    target_precompile_headers(veltrix_pch_${kind} PRIVATE ${veltrix_pch_${kind}})
    set_target_properties(veltrix_pch_${kind} PROPERTIES AUTOMOC OFF POSITION_INDEPENDENT_CODE ON)
  endforeach()
endfunction()

# A target of one source file (each test) stays as it is: nothing to share, and g++ would take the
# file for a header and warn about its anonymous namespaces (-Wsubobject-linkage).
function(veltrix_unity target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(shared 0)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME)
    if(name IN_LIST veltrix_unity_alone)
      set_property(SOURCE ${source} DIRECTORY ${source_dir} PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
    elseif(name MATCHES "\\.cpp$")
      math(EXPR shared "${shared} + 1")
    endif()
  endforeach()
  if(shared GREATER 1)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
  endif()
endfunction()

# Loading a precompiled header costs about as much CPU as a small file: the file that gathers a
# target's moc output is left without it when no header of the target needs moc (then it is empty,
# as in the tests, whose moc output each test file includes itself).
function(veltrix_skip_pch_on_empty_moc target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(binary_dir ${target} BINARY_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.h$")
      if(NOT IS_ABSOLUTE ${source})
        set(source ${source_dir}/${source})
      endif()
      file(STRINGS ${source} moc_lines REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE")
      if(moc_lines)
        return()
      endif()
    endif()
  endforeach()
  set_property(SOURCE ${binary_dir}/${target}_autogen/mocs_compilation.cpp DIRECTORY ${source_dir}
               PROPERTY SKIP_PRECOMPILE_HEADERS ON)
endfunction()

function(veltrix_fast_build)
  veltrix_tree_targets(${CMAKE_SOURCE_DIR} targets)
  if(VELTRIX_PCH)
    veltrix_add_pch_owners()
  endif()
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
      continue()
    endif()
    if(VELTRIX_UNITY)
      veltrix_unity(${target})
    endif()
    if(VELTRIX_PCH)
      veltrix_pch_kind(${target} kind)
      target_precompile_headers(${target} REUSE_FROM veltrix_pch_${kind})
      veltrix_skip_pch_on_empty_moc(${target})
    endif()
  endforeach()
endfunction()
