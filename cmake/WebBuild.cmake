# What every target of the web build shares. Exceptions are WebAssembly's own
# (otherwise an engine error would reach JavaScript as a bare number, and the
# emulated ones are about half as fast).
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
# WebAssembly's 128-bit vectors, which carry the engine's SSE2 search, and
# link-time optimisation across the engine and the binding (CMake's own check
# does not know emscripten's).
add_compile_options(-msimd128 -msse2 -flto)
add_link_options(-flto)
