# One layer's include check: with exactly the include directories its own
# sources compile with (FLAGS, a file of -I options), a probe including each
# header of SEES must compile and a probe including each header of BLIND must
# fail because that header is not found.
# Run as: cmake -DCOMPILER=<c++> -DFLAGS=<file> -DSEES=<h;...> -DBLIND=<h;...>
#               -DWORK=<folder> -P layering_probe.cmake
file(STRINGS "${FLAGS}" flags)
file(MAKE_DIRECTORY "${WORK}")
set(failures "")
function(probe header expect_found)
    string(MAKE_C_IDENTIFIER "${header}" name)
    set(source "${WORK}/${name}.cpp")
    file(WRITE "${source}" "#include \"${header}\"\n")
    execute_process(COMMAND "${COMPILER}" -std=c++20 -fsyntax-only ${flags} "${source}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(expect_found AND NOT code EQUAL 0)
        set(failures "${failures}\n  ${header} should compile here:\n${out}" PARENT_SCOPE)
    elseif(NOT expect_found)
        if(code EQUAL 0)
            set(failures "${failures}\n  ${header} compiles here; it belongs to a layer above" PARENT_SCOPE)
        elseif(NOT out MATCHES "No such file or directory|file not found")
            set(failures "${failures}\n  ${header} fails for another reason than not being found:\n${out}"
                PARENT_SCOPE)
        endif()
    endif()
endfunction()
foreach(header ${SEES})
    probe("${header}" TRUE)
endforeach()
foreach(header ${BLIND})
    probe("${header}" FALSE)
endforeach()
if(failures)
    message(FATAL_ERROR "Layering broken:${failures}")
endif()
message(STATUS "sees ${SEES}; blind to ${BLIND}")
