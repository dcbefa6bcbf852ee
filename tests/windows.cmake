# SPDX-License-Identifier: GPL-3.0-or-later
# The suite cross-built for Windows: what Linux alone has is left out (CUPS printing, the
# desktop's xdg-open, the Debian package, the INI store, whose test gives way to the
# registry store's), every test runs under Wine through the runner, in a prefix of the
# build's own, and the installer gets a check of its own.
set(starfold_tests_left_out "tst_print_cups|tst_openurl_real|tst_settings\\.cpp$")
# Paths a test hands to Windows live on Wine's drive for the whole file system.
set(starfold_drive Z:)

add_test(NAME windows_installer COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_installer.sh
    ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh
    ${CMAKE_PROJECT_NAME}-${PROJECT_VERSION}-win64.exe)
set_tests_properties(windows_installer PROPERTIES TIMEOUT 300)

# Without Verdana, DejaVu Sans at twice the pixels overflows the birth dates' box (README).
cmake_language(DEFER CALL set_tests_properties tst_frmmain_x2 PROPERTIES DISABLED ON)
