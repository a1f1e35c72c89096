# Warnings for the project's own targets; third-party headers come in as system includes.
function(pellora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wno-unused-parameter)
  # GCC 12's -Wrestrict misreads the inlined std::string code of optimised builds (its bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(PELLORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
