# Each layer's library sees only its own folder and those of the libraries it
# links, so an include of a layer above it does not compile. A folder is made
# visible through a tree of its own in the build directory: a directory that
# holds only a link named after the folder, pointing at the source folder, so
# that includes keep their form from the root ("platform/base/types.h").
#
# vellumar_include_tree(<target> <folder>): the target and everything linking
# it see <folder> (relative to the source root).
function(vellumar_include_tree target folder)
    set(root "${CMAKE_BINARY_DIR}/include_trees/${folder}")
    set(link "${root}/${folder}")
    if(NOT IS_SYMLINK "${link}")
        get_filename_component(parent "${link}" DIRECTORY)
        file(MAKE_DIRECTORY "${parent}")
        file(CREATE_LINK "${VELLUMAR_SOURCE_ROOT}/${folder}" "${link}" SYMBOLIC)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()
