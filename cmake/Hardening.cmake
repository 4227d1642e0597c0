# Takes the hardening part of dpkg-buildflags with every hardening feature
# on; optimisation and debug flags stay those of the build type.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags is missing (dpkg-dev): built without hardening")
  return()
endif()

function(dyplom_buildflags kind out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(kept)
  foreach(flag IN LISTS flags)
    if(flag MATCHES "^-D_FORTIFY_SOURCE|^-fstack-protector|^-fstack-clash-protection|^-fcf-protection|^-mbranch-protection|^-Wformat|^-Werror=format-security|^-Wl,-z,")
      list(APPEND kept ${flag})
    endif()
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

dyplom_buildflags(CPPFLAGS hardening_cppflags)
dyplom_buildflags(CXXFLAGS hardening_cxxflags)
dyplom_buildflags(LDFLAGS hardening_ldflags)
add_compile_options(${hardening_cppflags} ${hardening_cxxflags})
add_link_options(${hardening_ldflags})

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
message(STATUS "Hardening: ${hardening_cppflags} ${hardening_cxxflags} ${hardening_ldflags} PIE")
