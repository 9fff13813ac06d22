# The words in which the window and the page explain a Compare (the tooltips
# of words and of score panels), kept once in ui/explanation_texts.json as
# templates whose %1, %2... stand for what is filled in: written out as a C++
# header for the window, which translates them, and as a JavaScript module for
# the page.

set(VELMORO_EXPLANATION_TEXTS ${CMAKE_CURRENT_LIST_DIR}/../ui/explanation_texts.json)

# Writes the templates to out: kind "cpp", a header of constants
# velmoro::ui::texts::kName; kind "js", a module that exports them as the
# object kExplanationTexts, by name.
function(velmoro_write_explanation_texts kind out)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELMORO_EXPLANATION_TEXTS})
  file(READ ${VELMORO_EXPLANATION_TEXTS} json)
  string(JSON count LENGTH "${json}")
  math(EXPR last "${count} - 1")
  set(entries "")
  foreach(index RANGE ${last})
    string(JSON name MEMBER "${json}" ${index})
    string(JSON text GET "${json}" ${name})
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    if(kind STREQUAL "cpp")
      string(APPEND entries "inline constexpr char k${name}[] = \"${text}\";\n")
    else()
      string(APPEND entries "  ${name}: \"${text}\",\n")
    endif()
  endforeach()
  set(made "Made by the build from ui/explanation_texts.json: edit that file")
  if(kind STREQUAL "cpp")
    set(content "// ${made}.\n#pragma once\n\nnamespace velmoro::ui::texts {\n\n${entries}\n}  // namespace velmoro::ui::texts\n")
  elseif(kind STREQUAL "js")
    set(content "// ${made}.\nexport const kExplanationTexts = Object.freeze({\n${entries}});\n")
  else()
    message(FATAL_ERROR "velmoro_write_explanation_texts: kind is cpp or js, not ${kind}")
  endif()
  # Rewritten only when it changes, so that what includes it is not rebuilt.
  set(draft ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/explanation_texts.${kind})
  file(WRITE ${draft} "${content}")
  configure_file(${draft} ${out} COPYONLY)
endfunction()
