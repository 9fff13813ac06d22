# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the
# build, with undefined behaviour made fatal so that a test fails on it.
option(VELMORO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(VELMORO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
