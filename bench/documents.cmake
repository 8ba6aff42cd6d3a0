# Opening and saving a full document (20000 sheet rows, 50 graphs).
qv_benchmark(bench_documents ${CMAKE_CURRENT_SOURCE_DIR}/documents_bench.cpp OFFSCREEN LIBS qv_documents)
# The window's side of opening a file: the scripted host of the document tests.
if(TARGET bench_documents)
  target_sources(bench_documents PRIVATE ${CMAKE_SOURCE_DIR}/tests/documents/scripted_document_host.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scripted_message_box.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scripted_file_dialog.cpp)
  target_include_directories(bench_documents PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endif()
