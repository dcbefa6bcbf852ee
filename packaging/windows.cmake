# SPDX-License-Identifier: GPL-3.0-or-later
# What Windows needs besides the program: the Qt and MinGW runtime it loads, and the
# installer, `cpack -G NSIS` in the build folder, which writes Starfold-<version>-win64.exe.

# Exactly what the program loads, found with WINEDEBUG=+loaddll: there is no windeployqt for
# a cross build. Qt's print support comes with the print module, on the first print. Without
# the Windows Vista style Qt would fall back to its Windows 95 look.
set(STARFOLD_QT_DLLS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
set(STARFOLD_QT_PLUGINS Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
# The compiler's runtime, which the MinGW Qt keeps beside its own DLLs.
set(STARFOLD_MINGW_DLLS libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)

foreach(dll IN LISTS STARFOLD_QT_DLLS)
    install(FILES $<TARGET_FILE:${dll}> DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
foreach(plugin IN LISTS STARFOLD_QT_PLUGINS)
    get_target_property(type ${plugin} QT_PLUGIN_TYPE)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${type})
endforeach()
foreach(dll IN LISTS STARFOLD_MINGW_DLLS)
    install(FILES ${STARFOLD_QT_BIN}/${dll} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME LICENSE.txt)

# Everything the install rules take, so `make windows` builds only this.
add_custom_target(starfold_installed_files ALL)
add_dependencies(starfold_installed_files starfold starfold_print starfold_installer_pictures)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR ${STARFOLD_MAKER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
# The Add/Remove entry's key, one for every version, so that each finds and replaces the one
# installed. The installer is our own script (NSIS.template.in, here).
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# A 64-bit installer: the default 32-bit stub does not even run where only 64-bit Windows
# programs do (a 64-bit Wine prefix), and a 64-bit program belongs in Program Files.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${PROJECT_NAME})
set(CPACK_NSIS_MUI_ICON ${STARFOLD_WINDOWS_ICON})
set(CPACK_NSIS_MUI_UNIICON ${STARFOLD_WINDOWS_ICON})
list(GET STARFOLD_INSTALLER_PICTURES 0 CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP)
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP})
list(GET STARFOLD_INSTALLER_PICTURES 1 CPACK_NSIS_MUI_HEADERIMAGE)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_INSTALLED_ICON_NAME starfold.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${STARFOLD_HOME_PAGE})
set(CPACK_NSIS_HELP_LINK ${STARFOLD_HELP_PAGE})
include(CPack)
