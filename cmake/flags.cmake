# Compiler settings shared by every target of ours.
#
# Game arithmetic must round exactly once per stored float, so fused
# multiply-add contraction stays off and fast-math is never used.
add_library(sorvi_flags INTERFACE)
target_compile_options(sorvi_flags INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -ffp-contract=off -fno-fast-math)

if(SORVI_SANITIZE)
  set(_sorvi_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_sorvi_san})
  add_link_options(${_sorvi_san})
endif()
