# Compiler flags shared by every target of the program.
add_library(qv_flags INTERFACE)
target_compile_options(qv_flags INTERFACE
  -Wall -Wextra -Wno-unused-parameter -Werror
  # GCC 12 reports overlapping copies inside std::string's operator+ that do
  # not happen (its bug 105329); the warning is off for that compiler only.
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_GREATER_EQUAL:$<CXX_COMPILER_VERSION>,12>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>
  # Exact floating-point tests must hold on every machine: no fused multiply-add.
  -ffp-contract=off)
target_compile_definitions(qv_flags INTERFACE GL_SILENCE_DEPRECATION)

if(QV_SANITIZER)
  target_compile_options(qv_flags INTERFACE -fsanitize=${QV_SANITIZER} -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  target_link_options(qv_flags INTERFACE -fsanitize=${QV_SANITIZER})
endif()
