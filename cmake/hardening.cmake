# The optimised programs get the hardening Debian's packages are built with
# (dpkg-buildflags with hardening=+all: checked C library calls, a stack
# protector, read-only relocations bound at start), and the MinGW-w64
# equivalents on Windows: the stack protector from libssp, checked calls,
# address space randomisation and no execution of data. Debian 12's dpkg
# adds no -fcf-protection on amd64, so neither do we. Not with the
# sanitizers or the fuzzer: they check more themselves, and the checked
# calls would only get in their way.
if(MAPIO_SANITIZE OR MAPIO_FUZZ OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()

# _FORTIFY_SOURCE does nothing without optimisation, and says so.
set(MAPIO_HARDENED $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
add_compile_options($<${MAPIO_HARDENED}:-fstack-protector-strong>
                    $<${MAPIO_HARDENED}:-Werror=format-security>)
add_compile_definitions($<${MAPIO_HARDENED}:_FORTIFY_SOURCE=2>)
if(WIN32)
  # The driver links libssp for the stack protector and the checked calls.
  add_link_options($<${MAPIO_HARDENED}:-fstack-protector-strong>
                   $<${MAPIO_HARDENED}:LINKER:--dynamicbase,--nxcompat>)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options($<${MAPIO_HARDENED}:LINKER:--high-entropy-va>)
  endif()
else()
  add_link_options($<${MAPIO_HARDENED}:LINKER:-z,relro,-z,now>)
endif()
