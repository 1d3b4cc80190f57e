# vellumar_embed_resources(TARGET SCRIPT SYMBOL): a static library whose one
# source embeds every resource the script lists, as the ResourceTable SYMBOL.
function(vellumar_embed_resources target script symbol)
    get_filename_component(script "${script}" ABSOLUTE)
    set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
    add_custom_command(
        OUTPUT "${generated}"
        COMMAND vellumar-rc "${script}" "${generated}" ${symbol} "${generated}.d"
        DEPENDS vellumar-rc "${script}"
        DEPFILE "${generated}.d"
        COMMENT "Embedding the resources of ${script}"
        VERBATIM)
    add_library(${target} STATIC "${generated}")
    target_link_libraries(${target} PUBLIC vellumar_platform)
endfunction()
