# The texture readers (the raw MOT reader and the BMP picture reader) on
# arbitrary bytes. The readers' source is built into the target, so that the
# fuzzer sees their branches (the library's own objects carry no coverage).
add_executable(fuzz_texture ${CMAKE_CURRENT_SOURCE_DIR}/texture_fuzz.cpp
  ${CMAKE_SOURCE_DIR}/src/graphs/texture.cpp)
target_compile_options(fuzz_texture PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_texture PRIVATE -fsanitize=fuzzer)
target_include_directories(fuzz_texture PRIVATE ${CMAKE_SOURCE_DIR}/src/graphs)
target_link_libraries(fuzz_texture PRIVATE qv_gl_offscreen qv_platform)
