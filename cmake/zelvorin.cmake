# Build conventions shared by every folder. A folder declares its targets
# with these functions and never sets flags of its own.
#
#   zel_core_library(name SOURCES ... [DEPS ...])    portable: never includes windows.h
#   zel_win_library(name SOURCES ... [DEPS ...])     Windows trees only
#   zel_native_test(name SOURCES ... [DEPS ...])     GoogleTest, native, sanitized
#   zel_win_test(name SOURCES ... [DEPS ...])        GoogleTest, run under Wine by CTest
#   zel_native_benchmark(name SOURCES ... [DEPS ...]) Google Benchmark, native
#   zel_win_program(name SOURCES ... [DEPS ...] [GUI]) a Windows program (benchmarks, helpers)
#   zel_fuzzer(name SOURCES ... [DEPS ...])          libFuzzer target; natively, a replay of its corpus
#   zel_host_tool(var name)                          path of a native tool for custom commands

set(ZEL_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
get_filename_component(ZEL_SOURCE_DIR ${ZEL_SOURCE_DIR} ABSOLUTE)

add_library(zel_flags INTERFACE)
target_include_directories(zel_flags INTERFACE ${ZEL_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
if(ZEL_FUZZ)
  # clang knows only UTF-8 execution character sets; fuzzed code has no text literals that matter.
  target_compile_options(zel_flags INTERFACE -Wall -Wextra -g -O1
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
else()
  # Sources are UTF-8; every narrow literal becomes GBK, the program's only text encoding.
  target_compile_options(zel_flags INTERFACE -finput-charset=UTF-8 -fexec-charset=GBK
    -Wall -Wextra -Werror)
endif()
if(WIN32)
  target_compile_definitions(zel_flags INTERFACE STRICT NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  target_link_options(zel_flags INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# The native tree compiles the portable core twice: plain for tools and
# benchmarks, and with AddressSanitizer and UndefinedBehaviorSanitizer for tests.
set(ZEL_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
set(ZEL_NATIVE_SANITIZED NOT WIN32 AND NOT ZEL_FUZZ)

function(_zel_parse prefix)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "GUI" "" "SOURCES;DEPS")
  set(${prefix}_SOURCES ${ARG_SOURCES} PARENT_SCOPE)
  set(${prefix}_DEPS ${ARG_DEPS} PARENT_SCOPE)
  set(${prefix}_GUI ${ARG_GUI} PARENT_SCOPE)
endfunction()

# Maps dependencies to their sanitized twins where one exists.
function(_zel_san_deps out)
  set(result)
  foreach(dep IN LISTS ARGN)
    if(TARGET ${dep}_san)
      list(APPEND result ${dep}_san)
    else()
      list(APPEND result ${dep})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(zel_core_library name)
  _zel_parse(L ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_link_libraries(${name} PUBLIC zel_flags ${L_DEPS})
  if(ZEL_FUZZ)
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
  elseif(NOT WIN32)
    add_library(${name}_san STATIC ${L_SOURCES})
    _zel_san_deps(deps ${L_DEPS})
    target_link_libraries(${name}_san PUBLIC zel_flags ${deps})
    target_compile_options(${name}_san PRIVATE ${ZEL_SANITIZE_FLAGS})
    target_link_options(${name}_san PUBLIC -fsanitize=address,undefined)
    set_target_properties(${name}_san PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endfunction()

function(zel_win_library name)
  if(NOT WIN32)
    return()
  endif()
  _zel_parse(L ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_link_libraries(${name} PUBLIC zel_flags ${L_DEPS})
endfunction()

function(zel_native_test name)
  if(WIN32 OR ZEL_FUZZ)
    return()
  endif()
  _zel_parse(T ${ARGN})
  add_executable(${name} ${T_SOURCES})
  _zel_san_deps(deps ${T_DEPS})
  target_link_libraries(${name} PRIVATE zel_flags ${deps} GTest::gtest_main GTest::gmock)
  target_compile_options(${name} PRIVATE ${ZEL_SANITIZE_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=address,undefined)
  # Two properties of one value each: a list inside one property loses its separator on the way through test discovery.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "ZEL_SOURCE_DIR=${ZEL_SOURCE_DIR}"
               ENVIRONMENT_MODIFICATION "ZEL_BINARY_DIR=set:${CMAKE_BINARY_DIR}")
endfunction()

# A Windows test program is one CTest test: each start of a Wine program
# costs time, so its cases run in one process and GoogleTest reports them.
function(zel_win_test name)
  if(NOT WIN32)
    return()
  endif()
  _zel_parse(T ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE zel_flags ${T_DEPS} GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "ZEL_SOURCE_DIR=${ZEL_SOURCE_DIR};ZEL_BINARY_DIR=${CMAKE_BINARY_DIR}"
      TIMEOUT 600)
  endif()
endfunction()

function(zel_native_benchmark name)
  if(WIN32 OR ZEL_FUZZ)
    return()
  endif()
  find_package(benchmark REQUIRED)
  _zel_parse(B ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE zel_flags ${B_DEPS} benchmark::benchmark)
endfunction()

function(zel_win_program name)
  if(NOT WIN32)
    return()
  endif()
  _zel_parse(P ${ARGN})
  if(P_GUI)
    add_executable(${name} WIN32 ${P_SOURCES})
  else()
    add_executable(${name} ${P_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE zel_flags ${P_DEPS})
endfunction()

# In the fuzz tree a libFuzzer program; in the native tree the same entry
# point, sanitized, replays the seed corpus tests/fuzz/corpus/<name without
# _fuzzer>/ once as the CTest test <name>_corpus.
function(zel_fuzzer name)
  if(WIN32)
    return()
  endif()
  _zel_parse(F ${ARGN})
  if(ZEL_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE zel_flags ${F_DEPS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    return()
  endif()
  string(REGEX REPLACE "_fuzzer$" "" corpus ${name})
  add_executable(${name}_replay ${F_SOURCES} ${ZEL_SOURCE_DIR}/tests/fuzz/corpus_replay.cpp)
  _zel_san_deps(deps ${F_DEPS})
  target_link_libraries(${name}_replay PRIVATE zel_flags ${deps})
  target_compile_options(${name}_replay PRIVATE ${ZEL_SANITIZE_FLAGS})
  target_link_options(${name}_replay PRIVATE -fsanitize=address,undefined)
  add_test(NAME ${name}_corpus COMMAND ${name}_replay ${ZEL_SOURCE_DIR}/tests/fuzz/corpus/${corpus})
  set_tests_properties(${name}_corpus PROPERTIES TIMEOUT 60)
endfunction()

# Host tools run during a cross build come from the native tree, which the
# Makefile builds first; in the native tree they are ordinary targets.
function(zel_host_tool var name)
  if(WIN32)
    if(NOT ZEL_HOST_BIN_DIR)
      message(FATAL_ERROR "ZEL_HOST_BIN_DIR must name the native build tree")
    endif()
    set(${var} ${ZEL_HOST_BIN_DIR}/${name} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
  endif()
endfunction()

# A skin painted and packed at build time: the host tool PAINTER, run with
# ARGS, fills DIR and writes DIR/order.txt last; skintool packs DIR into OUT.
# A custom target of the given name builds OUT.
#   zel_painted_skin(name PAINTER tool DIR dir OUT file [ARGS ...] [DEPENDS file ...])
function(zel_painted_skin name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "PAINTER;DIR;OUT" "ARGS;DEPENDS")
  zel_host_tool(painter_exe ${ARG_PAINTER})
  zel_host_tool(skintool_exe skintool)
  # A cross tree depends on the native tree's files, the native tree on its targets.
  if(WIN32)
    set(tool_deps ${painter_exe} ${skintool_exe})
  else()
    set(tool_deps ${ARG_PAINTER} skintool)
  endif()
  add_custom_command(OUTPUT ${ARG_DIR}/order.txt
    COMMAND ${painter_exe} ${ARG_ARGS}
    DEPENDS ${tool_deps} ${ARG_DEPENDS}
    COMMENT "Painting the skin ${name}"
    VERBATIM)
  add_custom_command(OUTPUT ${ARG_OUT}
    COMMAND ${skintool_exe} pack ${ARG_DIR} ${ARG_OUT}
    DEPENDS ${ARG_DIR}/order.txt ${tool_deps}
    COMMENT "Packing the skin ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${ARG_OUT})
endfunction()

include(GoogleTest)

# The checks every painted skin of the program gets: its contact sheet
# SHEET drawn at build time (target <name>_sheet), and three tests:
# skin_check_<label> (skintool check), skin_size_<label> (the compressed
# skin stays under 30 KB; the test prints its size) and skin_sheet_<label>
# (the sheet is a PNG file). DEPENDS names the target that packs SKIN.
#   zel_painted_skin_checks(name LABEL label SKIN file SHEET file DEPENDS target)
function(zel_painted_skin_checks name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "LABEL;SKIN;SHEET;DEPENDS" "")
  zel_host_tool(skintool_exe skintool)
  add_custom_command(OUTPUT ${ARG_SHEET}
    COMMAND ${skintool_exe} sheet ${ARG_SKIN} ${ARG_SHEET}
    DEPENDS ${ARG_SKIN} ${ARG_DEPENDS}
    COMMENT "Drawing the contact sheet of ${ARG_SKIN}"
    VERBATIM)
  add_custom_target(${name}_sheet ALL DEPENDS ${ARG_SHEET})
  add_test(NAME skin_check_${ARG_LABEL} COMMAND ${skintool_exe} check ${ARG_SKIN})
  add_test(NAME skin_size_${ARG_LABEL}
    COMMAND ${CMAKE_COMMAND} -DSKIN=${ARG_SKIN} -DLIMIT=30000 -P ${ZEL_SOURCE_DIR}/cmake/SkinSize.cmake)
  add_test(NAME skin_sheet_${ARG_LABEL}
    COMMAND ${CMAKE_COMMAND} -DSHEET=${ARG_SHEET} -P ${ZEL_SOURCE_DIR}/cmake/SkinSheet.cmake)
endfunction()
