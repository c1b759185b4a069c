# The hardening every Debian binary has, for every target of the project and every build type:
# position-independent executables, a stack protector, fortified C library calls where the
# optimiser makes them possible, and a relocation table made read-only before main() runs.
#
# _FORTIFY_SOURCE needs optimisation (glibc warns without it, and -Werror turns that into a
# failed build), so Debug and an empty build type go without it; so do the sanitizer and fuzzing
# builds, because the fortified calls hide errors from AddressSanitizer.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

if(MSVC)
  return()  # /GS, /DYNAMICBASE and /NXCOMPAT are MSVC's defaults
endif()

if(CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
  add_compile_options(-fstack-protector-strong)
  if(NOT CORVANE_SANITIZE AND NOT CORVANE_FUZZ AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    # -U first: some compilers define their own level, and a second definition would warn.
    add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE>"
                        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>")
  endif()
  add_link_options(LINKER:-z,relro LINKER:-z,now)
elseif(MINGW)
  # MinGW links libssp only when the option is given to the link as well.
  add_compile_options(-fstack-protector-strong)
  add_link_options(-fstack-protector-strong)
endif()
