# Embeds files into a static library as byte arrays, looked up by key at run time.
#   pellora_embed(<target> NAMESPACE <ns> ENTRIES <key> <file> [<key> <file> ...])
# generates <ns>::Find(std::string_view key) -> std::span<const unsigned char> (empty when unknown).
# Keys are plain identifiers or numbers given as text ("324", "Tint.ps").
set(PELLORA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(pellora_embed target)
  cmake_parse_arguments(ARG "" "NAMESPACE" "ENTRIES" ${ARGN})
  set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_embed)
  set(sources)
  set(table "")
  set(decls "")
  set(index 0)
  list(LENGTH ARG_ENTRIES count)
  while(index LESS count)
    list(GET ARG_ENTRIES ${index} key)
    math(EXPR next "${index} + 1")
    list(GET ARG_ENTRIES ${next} file)
    get_filename_component(file ${file} ABSOLUTE)
    string(MAKE_C_IDENTIFIER "${key}" ident)
    set(out ${gen_dir}/embed_${ident}.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=embed_${ident}
              -DNAMESPACE=${ARG_NAMESPACE} -P ${PELLORA_EMBED_SCRIPT}
      DEPENDS ${file} ${PELLORA_EMBED_SCRIPT}
      COMMENT "Embedding ${key}" VERBATIM)
    list(APPEND sources ${out})
    string(APPEND decls "extern const unsigned char embed_${ident}[];\nextern const std::size_t embed_${ident}_size;\n")
    string(APPEND table "    {\"${key}\", {embed_${ident}, embed_${ident}_size}},\n")
    math(EXPR index "${index} + 2")
  endwhile()
  set(lookup ${gen_dir}/${target}_lookup.cpp)
  file(CONFIGURE OUTPUT ${lookup} CONTENT "#include <${target}.h>
#include <cstddef>
#include <utility>
namespace ${ARG_NAMESPACE} {
${decls}
std::span<const unsigned char> Find(std::string_view key)
{
  static const std::pair<std::string_view, std::span<const unsigned char>> entries[] = {
${table}    {\"\", {}}};
  for (const auto& [name, bytes] : entries) {
    if (name == key && !name.empty()) {
      return bytes;
    }
  }
  return {};
}
}
" @ONLY)
  file(CONFIGURE OUTPUT ${gen_dir}/${target}.h CONTENT "#pragma once
#include <span>
#include <string_view>
namespace ${ARG_NAMESPACE} {
// The embedded bytes stored under key, or an empty span when there is none.
std::span<const unsigned char> Find(std::string_view key);
}
" @ONLY)
  add_library(${target} STATIC ${lookup} ${sources})
  target_include_directories(${target} PUBLIC ${gen_dir})
endfunction()
