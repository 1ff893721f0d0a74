# The Windows layers, the executable and (for the x86_64 build) the Windows test binaries.
enable_language(RC)

file(GLOB SVCMAN_WIN32_SOURCES CONFIGURE_DEPENDS
  app/win32/*.cpp platform/win32/*.cpp ui/win32/*.cpp)
list(FILTER SVCMAN_WIN32_SOURCES EXCLUDE REGEX "app/win32/(main|quiet_terminate)\\.cpp$")
add_library(svcman_win32 STATIC ${SVCMAN_WIN32_SOURCES})
target_link_libraries(svcman_win32 PUBLIC svcman_core comctl32 shell32 ole32 user32 gdi32 kernel32)
svcman_apply_settings(svcman_win32)

# One self-contained file: the C and C++ runtimes and winpthread linked in statically.
set(SVCMAN_STATIC_LINK -static -static-libgcc -static-libstdc++)

# quiet_terminate.cpp replaces a library default, so it is linked into the program itself: a
# static library's copy would come too late to win over the library's own.
add_executable(svcman WIN32 app/win32/main.cpp app/win32/quiet_terminate.cpp app/win32/resources.rc)
target_link_libraries(svcman PRIVATE svcman_win32)
target_link_options(svcman PRIVATE ${SVCMAN_STATIC_LINK} -municode -Wl,--gc-sections -s)
target_compile_options(svcman PRIVATE -Os)
svcman_apply_settings(svcman)
set_source_files_properties(app/win32/resources.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/app/win32/svcman.manifest)

# Everything that builds for Windows is small-size optimised.
foreach(target svcman_core svcman_win32)
  target_compile_options(${target} PRIVATE -Os)
endforeach()

if(SVCMAN_WINDOWS_TESTS)
  # Windows tests run under Wine through this wrapper, which ctest puts in front of every
  # Windows executable it runs.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests/win32)
  add_subdirectory(tests/e2e)
endif()
