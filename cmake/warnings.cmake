# Warnings are errors in both trees.
function(talvorne_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wsign-conversion -Werror)
endfunction()
