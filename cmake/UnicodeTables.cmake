# The tables of Unicode properties that the web build reads where the native
# engine asks ICU: engine/unicode_table_maker.cpp writes them from this
# machine's ICU. The maker runs where the build runs, so it is compiled with
# the build machine's own compiler, whatever the target.
include_guard(GLOBAL)

find_program(VELMORO_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(VELMORO_UNICODE_TABLES_DIR ${PROJECT_BINARY_DIR}/unicode_tables)
set(velmoro_table_maker ${VELMORO_UNICODE_TABLES_DIR}/unicode_table_maker)
set(velmoro_table_maker_source ${PROJECT_SOURCE_DIR}/engine/unicode_table_maker.cpp)

add_custom_command(OUTPUT ${velmoro_table_maker}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORO_UNICODE_TABLES_DIR}
  COMMAND ${VELMORO_HOST_CXX} -std=c++20 -O1 ${velmoro_table_maker_source} -licuuc
          -o ${velmoro_table_maker}
  DEPENDS ${velmoro_table_maker_source}
  COMMENT "Building the Unicode table maker for this machine"
)
set(velmoro_tables)
foreach(table lower_case_runs composition_boundaries)
  string(REPLACE "_runs" "" kind ${table})
  string(REPLACE "_" "-" kind ${kind})
  set(output ${VELMORO_UNICODE_TABLES_DIR}/${table}.inc)
  add_custom_command(OUTPUT ${output}
    COMMAND ${velmoro_table_maker} ${kind} > ${output}
    DEPENDS ${velmoro_table_maker}
    COMMENT "Writing ${table}.inc from ICU"
  )
  list(APPEND velmoro_tables ${output})
endforeach()
add_custom_target(velmoro_unicode_tables DEPENDS ${velmoro_tables})
