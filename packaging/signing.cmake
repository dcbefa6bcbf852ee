# SPDX-License-Identifier: GPL-3.0-or-later
# Signs the Windows side with osslsigncode when STARFOLD_SIGN_CERT and STARFOLD_SIGN_KEY name a
# certificate and its key (PEM files; STARFOLD_SIGN_PASS_FILE holds the key's password if it
# has one, STARFOLD_SIGN_TIMESTAMP_URL a time-stamping server). CPack runs it on the staged
# programs of our own before it packs them, and again on the installer it made. Without a
# certificate it does nothing, and the installer is the one anyone can rebuild bit for bit.
if(NOT DEFINED ENV{STARFOLD_SIGN_CERT} OR NOT DEFINED ENV{STARFOLD_SIGN_KEY})
    return()
endif()
if(DEFINED CPACK_PACKAGE_FILES)
    set(files ${CPACK_PACKAGE_FILES})
else()
    file(GLOB files ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/starfold*.exe
                    ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/starfold*.dll)
endif()
set(options -certs $ENV{STARFOLD_SIGN_CERT} -key $ENV{STARFOLD_SIGN_KEY} -h sha256
            -n ${CPACK_PACKAGE_NAME} -i ${CPACK_NSIS_URL_INFO_ABOUT})
if(DEFINED ENV{STARFOLD_SIGN_PASS_FILE})
    list(APPEND options -readpass $ENV{STARFOLD_SIGN_PASS_FILE})
endif()
if(DEFINED ENV{STARFOLD_SIGN_TIMESTAMP_URL})
    list(APPEND options -ts $ENV{STARFOLD_SIGN_TIMESTAMP_URL})
endif()
foreach(file IN LISTS files)
    message(STATUS "Signing ${file}")
    execute_process(COMMAND osslsigncode sign ${options} -in ${file} -out ${file}.signed
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(RENAME ${file}.signed ${file})
endforeach()
