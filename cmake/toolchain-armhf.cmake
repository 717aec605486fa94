# Cross build for the target board (32-bit ARM, hard float) with Debian's cross toolchain
# (crossbuild-essential-armhf) and the multiarch armhf libraries under /usr.
set(VISTREL_TRIPLET arm-linux-gnueabihf)
set(CMAKE_SYSTEM_PROCESSOR arm)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-debian-cross.cmake)
# GCC notes that the passing of some Qt types changed in GCC 9.1; everything here is built
# by one compiler, so the note says nothing.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")
