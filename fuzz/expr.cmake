# The expression parser and evaluator on arbitrary text, read both as an
# expression and as a postfix text.
add_executable(fuzz_expr ${CMAKE_CURRENT_SOURCE_DIR}/expr_fuzz.cpp)
target_compile_options(fuzz_expr PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_expr PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_expr PRIVATE qv_expr)
