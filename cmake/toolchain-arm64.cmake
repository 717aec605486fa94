# Cross build for the newer boards of the family (64-bit ARM) with Debian's cross toolchain
# (crossbuild-essential-arm64) and the multiarch arm64 libraries under /usr.
set(VISTREL_TRIPLET aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-debian-cross.cmake)
# GCC notes that the passing of some Qt types changed in GCC 9.1; everything here is built
# by one compiler, so the note says nothing.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")
