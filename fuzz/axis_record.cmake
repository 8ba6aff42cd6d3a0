# The axis record reader on arbitrary document text.
add_executable(fuzz_axis_record ${CMAKE_CURRENT_SOURCE_DIR}/axis_record_fuzz.cpp)
target_compile_options(fuzz_axis_record PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_axis_record PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_axis_record PRIVATE qv_gl_offscreen qv_scene)
