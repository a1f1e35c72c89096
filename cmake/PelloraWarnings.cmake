# Warnings for the project's own targets; third-party headers come in as system includes.
function(pellora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wno-unused-parameter)
  if(PELLORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
