# Cross build of the native programs for 32-bit ARM Linux with hardware floating point (armhf).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(triplet arm-linux-gnueabihf)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
# GCC's note that passing some structures changed in GCC 7.1 concerns mixing with older objects: everything here is built anew.
set(CMAKE_CXX_FLAGS_INIT -Wno-psabi)
