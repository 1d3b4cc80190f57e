# vellumar_embed_resources(TARGET SCRIPT SYMBOL): a static library whose one
# source embeds every resource the script lists, as the ResourceTable SYMBOL.
# The numbers the script names are in "resources/<script name>_ids.h".
function(vellumar_embed_resources target script symbol)
    get_filename_component(script "${script}" ABSOLUTE)
    set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
    get_filename_component(name "${script}" NAME_WE)
    set(ids "${CMAKE_BINARY_DIR}/generated/resources/${name}_ids.h")
    add_custom_command(
        OUTPUT "${generated}" "${ids}"
        COMMAND vellumar-rc "${script}" "${generated}" ${symbol} "${generated}.d" "${ids}"
        DEPENDS vellumar-rc "${script}"
        DEPFILE "${generated}.d"
        COMMENT "Embedding the resources of ${script}"
        VERBATIM)
    add_library(${target} STATIC "${generated}")
    target_link_libraries(${target} PUBLIC vellumar_platform)
    target_include_directories(${target} PUBLIC "${CMAKE_BINARY_DIR}/generated")
endfunction()
