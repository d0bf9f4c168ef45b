# The house compile flags, as one interface target that each of the project's own targets links
# (pw_use_compile_flags): the warnings, errors with PW_WERROR (the test command's build), and the
# sanitizers with PW_SANITIZE. Implicit narrowing, shadowed names and format strings are where
# this program's faults have hidden. Code from elsewhere (Qt's generated sources compiled into our
# targets aside) keeps its own flags.
add_library(pw_compile_flags INTERFACE)
target_compile_options(pw_compile_flags INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wpedantic -Wformat=2 $<$<BOOL:${PW_WERROR}>:-Werror>)
if(PW_SANITIZE)
  target_compile_options(pw_compile_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(pw_compile_flags INTERFACE -fsanitize=address,undefined)
endif()

function(pw_use_compile_flags target)
  target_link_libraries(${target} PRIVATE pw_compile_flags)
endfunction()
