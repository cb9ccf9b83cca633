# Our own targets get the warnings, as errors so that none can slip in unnoticed; dependencies are
# compiled with their defaults.
add_library(brimvale_warnings INTERFACE)
target_compile_options(brimvale_warnings INTERFACE -Wall -Wextra -Werror)
