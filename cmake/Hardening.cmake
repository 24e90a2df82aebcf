# The hardening Debian builds its packages with: checked string and memory
# functions where the compiler knows the buffer sizes (which needs the
# optimiser), stack protection, and relocations made read-only at start-up with
# every symbol bound then. Sanitizer and fuzz builds do their own checking; the
# Windows build's linker has no ELF relocation options and MinGW's checked
# functions would need libssp beside the program.

if(QUORVANE_SANITIZE OR QUORVANE_SANITIZE_THREADS OR QUORVANE_FUZZ OR WIN32)
  return()
endif()

add_compile_options(-fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro,-z,now)
