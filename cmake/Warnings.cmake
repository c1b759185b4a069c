# Our own targets build warning-free; third-party headers come in as system includes.
#
# Warnings stop the build only where we ask them to (CORVANE_WERROR: `make`, `make test` and CI
# turn it on). A user's or a packager's build must not fail on a warning that their compiler
# adds and ours does not, such as GCC 12's false -Wrestrict in std::string at -O3.
option(CORVANE_WERROR "Treat the project's warnings as errors" OFF)

function(corvane_warnings target)
  if(MSVC)
    # /utf-8: the sources are UTF-8 (some tests hold non-ASCII paths), whatever the code page.
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8 $<$<BOOL:${CORVANE_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                                             $<$<BOOL:${CORVANE_WERROR}>:-Werror>)
  endif()
endfunction()
