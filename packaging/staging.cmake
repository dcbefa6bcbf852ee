# SPDX-License-Identifier: GPL-3.0-or-later
# CPack runs this on the files it has staged, before it packs them into either package: each
# gets the mode its install rule means, whatever the umask of the build. A folder staged under
# umask 077 would otherwise reach users' machines unreadable to all but root.
execute_process(COMMAND chmod -R u=rwX,go=rX ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
                COMMAND_ERROR_IS_FATAL ANY)
