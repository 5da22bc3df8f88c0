# Post-build check of a Windows program (cmake -P), failing the build when
#  - its link map (ld -Map) shows any member of libstdc++, libsupc++ or
#    libgcc_eh: the program needs no compiled part of the C++ runtime, and one
#    coming back is the exception runtime sneaking in again (a new call to a
#    throwing library function, a compiler that drops -fno-exceptions, ...), or
#  - the executable is larger than SIZE_LIMIT bytes.
# Arguments: -DEXECUTABLE=<file.exe> -DLINK_MAP=<file.map> -DSIZE_LIMIT=<bytes>

foreach(argument EXECUTABLE LINK_MAP SIZE_LIMIT)
    if(NOT DEFINED ${argument})
        message(FATAL_ERROR "check_windows_program: ${argument} is not given")
    endif()
endforeach()

# ld names each archive member it takes, then on the next line the file and
# symbol that made it take the member.
file(READ "${LINK_MAP}" link_map)
string(REGEX MATCHALL "[^\n]*lib(stdc\\+\\+|supc\\+\\+|gcc_eh)\\.a\\([^)\n]+\\)[^\n]*\n[^\n]*"
       runtime_members "${link_map}")
if(runtime_members)
    list(GET runtime_members 0 first)
    message(FATAL_ERROR
        "${EXECUTABLE} links parts of the C++ runtime, the first:\n${first}\n"
        "(see ${LINK_MAP}; abort_instead_of_throw.cpp keeps the throwing paths out)")
endif()

file(SIZE "${EXECUTABLE}" size)
if(size GREATER SIZE_LIMIT)
    message(FATAL_ERROR "${EXECUTABLE} is ${size} bytes, above its limit of ${SIZE_LIMIT}")
endif()
