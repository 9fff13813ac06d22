# What every target of the web build shares. Exceptions are WebAssembly's own
# (otherwise an engine error would reach JavaScript as a bare number, and the
# emulated ones are about half as fast).
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
