# SPDX-License-Identifier: GPL-3.0-or-later
# Hardening as Debian builds its packages: the flags dpkg-buildflags gives
# with every hardening feature (fortified C library calls, a strong stack
# protector, format checks, relocations read-only and bound at start), stack
# clash and branch protection where the compiler has them, and a
# position-independent executable.
#
# Only for the optimised build types: fortified calls need optimisation, and
# a Debug build is for the debugger. Not with the sanitizers either: they
# check memory themselves, and fortified calls hide faults from them; nor
# in the fuzzing build, which is all sanitizers.
#
# quenmora_harden(TARGET) gives an INTERFACE target the flags and sets
# QUENMORA_HARDENED (ON or OFF) in the caller.

# What dpkg-buildflags gives on Debian 12 with hardening=+all, for a machine
# without it.
set(_quenmora_fallback_CPPFLAGS -D_FORTIFY_SOURCE=2)
set(_quenmora_fallback_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
set(_quenmora_fallback_LDFLAGS -Wl,-z,relro -Wl,-z,now)

# One kind of Debian's flags as a list; optimisation, debugging information
# and path maps stay the build type's business.
function(_quenmora_debian_flags kind out)
    set(flags ${_quenmora_fallback_${kind}})
    find_program(DPKG_BUILDFLAGS dpkg-buildflags)
    if(DPKG_BUILDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE text OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
        if(NOT failed)
            separate_arguments(flags UNIX_COMMAND "${text}")
            list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|f(file|debug|macro)-prefix-map=.*)$")
        endif()
    endif()
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

function(quenmora_harden target)
    string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
    if(NOT QUENMORA_HARDEN OR QUENMORA_SANITIZE OR QUENMORA_FUZZ OR type STREQUAL "DEBUG" OR type STREQUAL "")
        set(QUENMORA_HARDENED OFF PARENT_SCOPE)
        return()
    endif()
    _quenmora_debian_flags(CPPFLAGS cppflags)
    _quenmora_debian_flags(CXXFLAGS cxxflags)
    _quenmora_debian_flags(LDFLAGS ldflags)
    # What newer dpkg-buildflags add on machines that have them: stack clash
    # protection and branch protection (control-flow integrity).
    include(CheckCXXCompilerFlag)
    foreach(flag -fstack-clash-protection -fcf-protection -mbranch-protection=standard)
        string(MAKE_C_IDENTIFIER "QUENMORA_HAS${flag}" known)
        check_cxx_compiler_flag(${flag} ${known})
        if(${known} AND NOT flag IN_LIST cxxflags)
            list(APPEND cxxflags ${flag})
        endif()
    endforeach()
    target_compile_options(${target} INTERFACE ${cppflags} ${cxxflags})
    target_link_options(${target} INTERFACE ${ldflags})

    include(CheckPIESupported)
    check_pie_supported(OUTPUT_VARIABLE why LANGUAGES CXX)
    if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
        message(WARNING "The linker makes no position-independent executable: ${why}")
    endif()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON PARENT_SCOPE)
    string(REPLACE ";" " " shown "${cppflags};${cxxflags};${ldflags};-fPIE;-pie")
    message(STATUS "Hardened build: ${shown}")
    set(QUENMORA_HARDENED ON PARENT_SCOPE)
endfunction()
