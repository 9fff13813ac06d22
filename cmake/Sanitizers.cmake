# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the
# build, with undefined behaviour made fatal so that a test fails on it, and
# the standard library's bounds checks, which see an index past a container's
# size even where it stays within the allocated memory. ThreadSanitizer, for
# the threads of velmoro-cli's batch runs, is a build of its own: the two
# cannot be combined.
option(VELMORO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VELMORO_SANITIZE_THREADS "Build with ThreadSanitizer" OFF)

if(VELMORO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()

if(VELMORO_SANITIZE_THREADS)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
