# Every header the host's documents name is installed:
#   cmake -DROOT=<source dir> -DINCLUDEDIR=<prefix>/include -P CheckNamedHeaders.cmake
#
# Reads the header paths the README names (in backquotes or #include lines) and those of the
# umbrella header's comment, and fails when one of them is not under INCLUDEDIR: a host told to
# include it could not build against the package. A bare name (`Cards.hpp`) sits beside the
# path named before it. Paths outside the kit and its platform (examples/...) are not the
# package's.
cmake_minimum_required(VERSION 3.25)

set(named)      # "<header>|<where>" pairs, in the order read
set(prefixes "CorvendWallet/|CorvendCoreComponents/|platform/")

# corvend_collect(<file> <text> <lead>): the .hpp paths of <text> that follow a character of
# <lead>; a bare name takes the folder of the path before it.
function(corvend_collect file text lead)
    string(REGEX MATCHALL "[${lead}][A-Za-z0-9_./-]+\\.hpp" found "${text}")
    set(folder "")
    foreach(match IN LISTS found)
        string(SUBSTRING "${match}" 1 -1 path)
        if(path MATCHES "/")
            if(NOT path MATCHES "^(${prefixes})")
                set(folder "")
                continue()
            endif()
            get_filename_component(folder "${path}" DIRECTORY)
        elseif(folder)
            set(path "${folder}/${path}")
        else()
            continue()  # a bare name with no kit path before it
        endif()
        list(APPEND named "${path}|${file}")
    endforeach()
    set(named ${named} PARENT_SCOPE)
endfunction()

file(READ ${ROOT}/README.md readme)
corvend_collect(README.md "${readme}" "`\"<")

# The umbrella header's comment only: its own #include lines are not advice to a host.
set(umbrella CorvendWallet/CorvendWallet.hpp)
file(STRINGS ${ROOT}/${umbrella} comment REGEX "^[ \t]*//")
string(JOIN "\n" comment ${comment})
corvend_collect(${umbrella} "${comment}" " `\"<")

set(checked)
set(missing)
foreach(entry IN LISTS named)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 header)
    list(GET parts 1 where)
    if(NOT header IN_LIST checked)
        list(APPEND checked ${header})
    endif()
    if(NOT EXISTS ${INCLUDEDIR}/${header})
        list(APPEND missing "${header} (named in ${where})")
    endif()
endforeach()
list(REMOVE_DUPLICATES missing)

list(LENGTH checked checked_count)
if(NOT umbrella IN_LIST checked)
    message(FATAL_ERROR "named headers: found no mention of ${umbrella}; is the scan broken?")
endif()
foreach(header IN LISTS missing)
    message("not installed: ${header}")
endforeach()
if(missing)
    message(FATAL_ERROR "named headers: ${checked_count} named, not all installed")
endif()
message("named headers: ${checked_count} named by README.md and ${umbrella}, all installed")
