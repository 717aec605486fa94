# Shared part of the Debian multiarch toolchain files: VISTREL_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR are set by the including file.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${VISTREL_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VISTREL_TRIPLET}-g++)

# Target libraries and CMake packages live under /usr/lib/<triplet>; the headers of
# multiarch -dev packages are shared with the host under /usr/include.
set(CMAKE_LIBRARY_ARCHITECTURE ${VISTREL_TRIPLET})
set(CMAKE_FIND_ROOT_PATH /usr/lib/${VISTREL_TRIPLET} /usr)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the target, not for the build machine.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${VISTREL_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Qt's build tools (moc, uic, rcc) run on the build machine: the host's Qt 6.
set(QT_HOST_PATH /usr CACHE PATH "Host Qt prefix")
