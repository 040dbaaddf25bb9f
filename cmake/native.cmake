# The native build: padconfig (the command line) and padsim, installed with
# the manual page.
find_package(Threads REQUIRED)
include(GNUInstallDirs)

add_library(padcore STATIC ${PADCONFIG_SHARED_SOURCES} ${PADCONFIG_SYSTEM_SOURCES})
target_include_directories(padcore PUBLIC ${CMAKE_BINARY_DIR})  # version.h

add_executable(padconfig ${PADCONFIG_NATIVE_MAIN})
target_link_libraries(padconfig PRIVATE padcore)

add_executable(padsim ${PADCONFIG_ROOT}/sim/padsim_main.cpp ${PADSIM_SOURCES})
target_link_libraries(padsim PRIVATE padcore Threads::Threads)

install(TARGETS padconfig padsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PADCONFIG_ROOT}/doc/padconfig.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
