# The native build: padconfig (the command line) and padsim, installed with
# their manual pages; the benchmark's native half (scripts/bench) on demand.
include(GNUInstallDirs)
include(${PADCONFIG_ROOT}/cmake/native_programs.cmake)

install(TARGETS padconfig padsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PADCONFIG_ROOT}/doc/padconfig.1 ${PADCONFIG_ROOT}/doc/padsim.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT manual)

add_executable(native_bench EXCLUDE_FROM_ALL ${PADCONFIG_ROOT}/bench/native_bench.cpp
  ${PADCONFIG_ROOT}/tests/support/pty_pair.cpp)
target_include_directories(native_bench PRIVATE ${PADCONFIG_ROOT}/tests/support)
target_link_libraries(native_bench PRIVATE padsimcore)
target_compile_definitions(native_bench PRIVATE PADCONFIG_PROGRAM="$<TARGET_FILE:padconfig>")
add_dependencies(native_bench padconfig)

if(CMAKE_SYSTEM_NAME STREQUAL Linux)
  include(${PADCONFIG_ROOT}/cmake/debian_package.cmake)
endif()
