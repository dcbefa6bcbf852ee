# SPDX-License-Identifier: GPL-3.0-or-later
# cpack reads this as it starts on each package. The installer keeps no file's date: NSIS
# would store the time of every file it packs, among them the page settings CPack writes
# afresh at each run, so no two runs would give the same bytes. Windows dates the installed
# files at their installation.
if(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_NSIS_DEFINES "\nSetDateSave off")
endif()
