# The bundled patterns and their thumbnails: made by
# resources/patterns/regenerate.sh and committed, so a build needs neither the
# drawings nor the script. The game looks for them beside its program file,
# then in share/vellumar/ of the prefix it is installed under.
file(GLOB VELLUMAR_BUNDLED_PATTERNS CONFIGURE_DEPENDS
     "${CMAKE_CURRENT_LIST_DIR}/../resources/patterns/*.mza"
     "${CMAKE_CURRENT_LIST_DIR}/../resources/patterns/*.bmp")

# vellumar_bundle_patterns(TARGET DESTINATION): copies the library beside the
# target's program after every build, and installs it into DESTINATION.
function(vellumar_bundle_patterns target destination)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VELLUMAR_BUNDLED_PATTERNS} $<TARGET_FILE_DIR:${target}>
        VERBATIM)
    install(FILES ${VELLUMAR_BUNDLED_PATTERNS} DESTINATION "${destination}")
endfunction()
