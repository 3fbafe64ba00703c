# sorvi_program(TARGET PLATFORM_LIBRARY): TARGET runs the game's logic on
# PLATFORM_LIBRARY. The logic's layers call the seam's functions, which the
# platform library defines, so it is linked after them.
function(sorvi_program target platform)
  target_link_libraries(${target} PRIVATE sorvi_core ${platform})
  set_target_properties(${target} PROPERTIES SORVI_PLATFORM_LIBRARY ${platform})
endfunction()
