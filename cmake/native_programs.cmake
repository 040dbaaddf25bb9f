# padconfig and padsim for Linux and macOS, with what they are made of: the
# native build's and the sanitizer runs' (tests/native) alike.
find_package(Threads REQUIRED)

add_library(padcore STATIC ${PADCONFIG_SHARED_SOURCES} ${PADCONFIG_SYSTEM_SOURCES})
target_include_directories(padcore PUBLIC ${CMAKE_BINARY_DIR} ${PADCONFIG_ROOT}/link)  # version.h

add_executable(padconfig ${PADCONFIG_NATIVE_MAIN})
target_link_libraries(padconfig PRIVATE padcore)

add_library(padsimcore STATIC ${PADSIM_SOURCES})
target_include_directories(padsimcore PUBLIC ${PADCONFIG_ROOT}/sim)
target_link_libraries(padsimcore PUBLIC padcore Threads::Threads)
add_executable(padsim ${PADCONFIG_ROOT}/sim/padsim_main.cpp)
target_link_libraries(padsim PRIVATE padsimcore)
