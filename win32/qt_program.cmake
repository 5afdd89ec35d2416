# syncward.exe and its GUI tests against a static Qt for Windows. moc and
# uic are the native Qt's of the same version (QT_HOST_PATH).

# The version lives in the native project's CMakeLists.txt only.
file(STRINGS ${SYNCWARD_ROOT}/CMakeLists.txt version_line REGEX "^project\\(syncward VERSION [0-9.]+")
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" SYNCWARD_VERSION "${version_line}")

list(APPEND CMAKE_FIND_ROOT_PATH ${SYNCWARD_QT_PREFIX})
list(APPEND CMAKE_PREFIX_PATH ${SYNCWARD_QT_PREFIX})
execute_process(COMMAND gcc -print-multiarch OUTPUT_VARIABLE host_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "The native Qt, whose tools build this one's programs")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${host_multiarch}/cmake CACHE PATH "")
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)
set(CMAKE_AUTOMOC ON)

# Code for one system only ends in _posix or _win32, or lives in a
# system's own platform folder.
function(syncward_windows_sources out)
  syncward_sources(found ${ARGN})
  list(FILTER found EXCLUDE REGEX ".*_posix\\.cpp$")
  set(${out} ${found} PARENT_SCOPE)
endfunction()

syncward_windows_sources(QT_PLATFORM_SOURCES src/platform/qt)
add_library(syncward_platform_qt STATIC ${QT_PLATFORM_SOURCES})
target_link_libraries(syncward_platform_qt PUBLIC syncward_core Qt6::Core)
syncward_warnings(syncward_platform_qt)

syncward_windows_sources(GUI_SOURCES src/gui)
add_library(syncward_gui STATIC ${GUI_SOURCES})
target_link_libraries(syncward_gui PUBLIC syncward_core Qt6::Widgets)
syncward_warnings(syncward_gui)
set_property(SOURCE ${SYNCWARD_ROOT}/src/core/info/about_window.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             SYNCWARD_VERSION="${SYNCWARD_VERSION}")

syncward_windows_sources(APP_SOURCES src/app)
list(FILTER APP_SOURCES EXCLUDE REGEX ".*/src/app/main\\.cpp$")
add_library(syncward_app STATIC ${APP_SOURCES})
target_link_libraries(syncward_app PUBLIC syncward_gui syncward_platform_win32 syncward_platform_qt)
syncward_warnings(syncward_app)

# A window program: no console opens beside it when started from the menu.
# Its version information is what Windows shows in its Properties.
enable_language(RC)
function(syncward_window_program target version)
  set(SYNCWARD_VERSION ${version})
  string(REPLACE "." "," SYNCWARD_VERSION_COMMAS ${version})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/version_info.rc.in ${CMAKE_BINARY_DIR}/${target}_version_info.rc @ONLY)
  add_executable(${target} WIN32 ${SYNCWARD_ROOT}/src/app/main.cpp ${CMAKE_BINARY_DIR}/${target}_version_info.rc)
  target_link_libraries(${target} PRIVATE syncward_app)
  target_compile_definitions(${target} PRIVATE SYNCWARD_VERSION="${version}")
  # The windows plugin for the desktop, offscreen for runs without a window.
  qt_import_plugins(${target} INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin)
  syncward_warnings(${target})
endfunction()
syncward_window_program(syncward ${SYNCWARD_VERSION})
# The program as the first release called itself, for the installer's
# upgrade test (scripts/test-windows-installer.sh).
syncward_window_program(syncward_first_release 0.1.0)

# The GUI tests, offscreen. Those that need POSIX (descriptors, signals)
# are Linux's alone.
syncward_sources(GUI_TEST_SOURCES tests/gui)
list(FILTER GUI_TEST_SOURCES EXCLUDE REGEX ".*/tests/gui/qt_messages_test\\.cpp$")
add_executable(gui_tests ${GUI_TEST_SOURCES})
target_link_libraries(gui_tests PRIVATE syncward_test_support syncward_app Qt6::Test gtest_main)
qt_import_plugins(gui_tests INCLUDE Qt6::QOffscreenIntegrationPlugin)
syncward_warnings(gui_tests)
add_test(NAME gui_tests COMMAND gui_tests)

# The installer: syncward-<version>-win64.exe, made by CPack with NSIS. It
# puts the program under Program Files with a Start menu entry and an
# uninstaller; besides the uninstaller's own entry it registers nothing.
# It replaces an installed earlier version (see windows_upgrade.cmake).
install(TARGETS syncward RUNTIME DESTINATION .)
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME SYNCWARD)
set(CPACK_PACKAGE_VENDOR SYNCWARD)
set(CPACK_PACKAGE_VERSION ${SYNCWARD_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Keeps a crypto-currency full node up to date without anybody watching")
set(CPACK_PACKAGE_FILE_NAME syncward-${SYNCWARD_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY SYNCWARD)
# The same terms the Debian package states, shown before installing.
configure_file(${SYNCWARD_ROOT}/packaging/copyright ${CMAKE_BINARY_DIR}/copyright.txt COPYONLY)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/copyright.txt)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME SYNCWARD)
set(CPACK_NSIS_PACKAGE_NAME SYNCWARD)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES syncward SYNCWARD)
set(CPACK_NSIS_MODIFY_PATH OFF)
# A 64-bit installer for a 64-bit program: it sees the 64-bit Program Files
# and registry as they are, and runs where no 32-bit layer is installed.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_STRIP_FILES ON)
include(${CMAKE_CURRENT_LIST_DIR}/windows_upgrade.cmake)
include(CPack)
