# What a Debian package documents beside the program: the copyright file
# (the project's licence and every bundled picture's source, author and
# licence), the changelog and the manual page, the last two compressed as
# Debian wants them (gzip -9n: smallest, and no time stamp).
set(VELLUMAR_PACKAGE_SOURCES "${CMAKE_CURRENT_LIST_DIR}/../resources/package")

function(vellumar_gzip source output)
    add_custom_command(OUTPUT "${output}"
        COMMAND gzip -9nc "${source}" > "${output}"
        DEPENDS "${source}"
        VERBATIM)
endfunction()

function(vellumar_install_package_documents)
    include(GNUInstallDirs)
    set(folder "${CMAKE_CURRENT_BINARY_DIR}/package")
    file(MAKE_DIRECTORY "${folder}")
    vellumar_gzip("${VELLUMAR_PACKAGE_SOURCES}/changelog" "${folder}/changelog.gz")
    vellumar_gzip("${VELLUMAR_PACKAGE_SOURCES}/vellumar.6" "${folder}/vellumar.6.gz")
    add_custom_target(vellumar_package_documents ALL
        DEPENDS "${folder}/changelog.gz" "${folder}/vellumar.6.gz")
    install(FILES "${VELLUMAR_PACKAGE_SOURCES}/copyright" "${folder}/changelog.gz"
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/vellumar")
    install(FILES "${folder}/vellumar.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
endfunction()
