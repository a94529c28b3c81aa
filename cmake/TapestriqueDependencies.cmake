# Image libraries and zlib as imported targets TQ::zlib, TQ::jpeg, TQ::png, TQ::tiff,
# the same names in both configurations. The host build uses Debian's -dev packages; the
# windows build uses the static MinGW builds from tools/build_mingw_deps.sh (TQ_MINGW_PREFIX).

if(TQ_WINDOWS)
    set(TQ_MINGW_PREFIX "$ENV{TAPESTRIQUE_MINGW_PREFIX}" CACHE PATH "Prefix of the MinGW libjpeg/libpng/libtiff build")
    if(NOT EXISTS "${TQ_MINGW_PREFIX}/lib/libjpeg.a")
        message(FATAL_ERROR "TQ_MINGW_PREFIX (${TQ_MINGW_PREFIX}) holds no MinGW libjpeg; run tools/setup.sh")
    endif()
    set(tq_sysroot /usr/x86_64-w64-mingw32)
    function(tq_import_static name library include)
        add_library(${name} STATIC IMPORTED GLOBAL)
        set_target_properties(${name} PROPERTIES IMPORTED_LOCATION "${library}"
                              INTERFACE_INCLUDE_DIRECTORIES "${include}")
    endfunction()
    tq_import_static(TQ::zlib "${tq_sysroot}/lib/libz.a" "${tq_sysroot}/include")
    tq_import_static(TQ::jpeg "${TQ_MINGW_PREFIX}/lib/libjpeg.a" "${TQ_MINGW_PREFIX}/include")
    tq_import_static(TQ::png "${TQ_MINGW_PREFIX}/lib/libpng16.a" "${TQ_MINGW_PREFIX}/include")
    set_property(TARGET TQ::png PROPERTY INTERFACE_LINK_LIBRARIES TQ::zlib)
    tq_import_static(TQ::tiff "${TQ_MINGW_PREFIX}/lib/libtiff.a" "${TQ_MINGW_PREFIX}/include")
    set_property(TARGET TQ::tiff PROPERTY INTERFACE_LINK_LIBRARIES TQ::jpeg TQ::zlib)
    set(GTEST_ROOT_DIR /usr/src/googletest)
else()
    find_package(ZLIB REQUIRED)
    find_package(JPEG REQUIRED)
    find_package(PNG REQUIRED)
    find_package(TIFF REQUIRED)
    add_library(TQ::zlib ALIAS ZLIB::ZLIB)
    add_library(TQ::jpeg ALIAS JPEG::JPEG)
    add_library(TQ::png ALIAS PNG::PNG)
    add_library(TQ::tiff ALIAS TIFF::TIFF)
endif()

# GoogleTest from Debian's sources, built with this configuration's compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
