# Opening arbitrary file bytes as a document, and saving what opens, with the
# main window's controls faked by the test support's scripted services.
add_executable(fuzz_document_reader ${CMAKE_CURRENT_SOURCE_DIR}/document_reader_fuzz.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scripted_message_box.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scripted_file_dialog.cpp)
target_include_directories(fuzz_document_reader PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(fuzz_document_reader PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_document_reader PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_document_reader PRIVATE qv_gl_offscreen qv_documents)
