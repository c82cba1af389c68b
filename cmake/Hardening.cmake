# Hardened programs in every build but a sanitizer's: the record helper runs
# set-group-id for every player, and the game reads files any player can
# write. A sanitizer brings its own instrumentation, which these would only
# disturb, so a build whose flags ask for one is left as it is.
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  message(STATUS "Hardening: left to the sanitizer build")
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)

check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

foreach(flag IN ITEMS -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "VORTANA_HAS${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known})
    add_compile_options(${flag})
  endif()
endforeach()
# glibc's checked functions need the optimiser, and warn (an error here)
# without it: a Debug build at -O0 goes without them.
# Undefined first, as options (which come after definitions and CXXFLAGS),
# so that a level set elsewhere is not redefined with a warning.
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# Debian's own flags, with every hardening feature asked for, as a package of
# the distribution is built. The build type keeps choosing the optimisation
# and the debug information; fortification is set above.
option(VORTANA_DEBIAN_BUILDFLAGS "Add Debian's build flags (dpkg-buildflags) when the tool is there" ON)
find_program(VORTANA_DPKG_BUILDFLAGS dpkg-buildflags)
if(VORTANA_DEBIAN_BUILDFLAGS AND VORTANA_DPKG_BUILDFLAGS)
  foreach(kind IN ITEMS CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${VORTANA_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O|g|D_FORTIFY_SOURCE)")
    if(kind STREQUAL LDFLAGS)
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
    list(JOIN flags " " shown)
    message(STATUS "Debian ${kind}: ${shown}")
  endforeach()
endif()
