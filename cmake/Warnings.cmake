# Our own targets build warning-free; third-party headers come in as system includes.
function(corvane_warnings target)
  if(MSVC)
    # /utf-8: the sources are UTF-8 (some tests hold non-ASCII paths), whatever the code page.
    target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  endif()
endfunction()
