# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzz targets (clang's libFuzzer), one per reader of outside input: the
# settings file, the location file and the text front end's arguments.
# Built only with ORBANT_FUZZ=ON in a build folder of their own configured
# with clang (scripts/fuzz.sh does both and runs them over tests/fuzz/corpus).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "ORBANT_FUZZ needs clang (CXX=clang++): libFuzzer comes with it")
endif()

function(orbant_fuzz_target name)
  add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${name}.cpp ${ARGN})
  target_link_libraries(${name} PRIVATE orbant_pages orbant_core orbant_platform)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

orbant_fuzz_target(settings_file_fuzz)
orbant_fuzz_target(location_file_fuzz)
orbant_fuzz_target(cli_args_fuzz)
target_link_libraries(cli_args_fuzz PRIVATE orbant_cli)
add_custom_target(fuzz_targets DEPENDS settings_file_fuzz location_file_fuzz cli_args_fuzz)
