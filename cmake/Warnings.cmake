# Our own targets get the warnings; dependencies are compiled with their defaults.
add_library(brimvale_warnings INTERFACE)
target_compile_options(brimvale_warnings INTERFACE -Wall -Wextra)
