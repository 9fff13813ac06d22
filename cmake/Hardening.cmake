# The hardening Debian builds its own programs with, for the Release build
# that the package is made from: checked buffer functions, and relocations
# made read-only at start.
add_compile_definitions($<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
add_link_options($<$<CONFIG:Release>:LINKER:-z,relro,-z,now>)
