# Compiler settings shared by every target of ours.
#
# Game arithmetic must round exactly once per stored float, so fused
# multiply-add contraction stays off and fast-math is never used.
add_library(sorvi_flags INTERFACE)
target_compile_options(sorvi_flags INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -ffp-contract=off -fno-fast-math)

# GCC 12 reports impossible overlapping copies inside std::string's own
# operator+ when optimising (its bug 105329); the warning says nothing
# about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(sorvi_flags INTERFACE -Wno-restrict)
endif()

if(SORVI_SANITIZE)
  set(_sorvi_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_sorvi_san})
  add_link_options(${_sorvi_san})
endif()
