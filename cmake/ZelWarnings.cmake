# Common warning and sanitizer flags, applied to every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wcast-align -Wformat=2 -Wimplicit-fallthrough)
if(ZEL_WERROR)
  add_compile_options(-Werror)
endif()

if(ZEL_SANITIZE)
  add_compile_options(-fsanitize=${ZEL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${ZEL_SANITIZE})
endif()

# Link a shared library so that every symbol it needs is resolved at link time.
function(zel_no_undefined target)
  if(NOT ZEL_SANITIZE)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# Coverage instrumentation for the fuzzers, on every target of a fuzzing build.
if(ZEL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
