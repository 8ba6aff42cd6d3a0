# The reader of a graph pasted from the clipboard, on arbitrary text.
add_executable(fuzz_paste ${CMAKE_CURRENT_SOURCE_DIR}/paste_fuzz.cpp)
target_compile_options(fuzz_paste PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_paste PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_paste PRIVATE qv_gl_offscreen qv_documents)
