# One interface target that carries the project's warning flags; every target
# links it privately. CI builds turn the warnings into errors.
option(VELMORO_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(velmoro_warnings INTERFACE)
add_library(velmoro::warnings ALIAS velmoro_warnings)
target_compile_options(velmoro_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wpedantic
  $<$<BOOL:${VELMORO_WARNINGS_AS_ERRORS}>:-Werror>
)
