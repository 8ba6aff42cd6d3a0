# Opening and saving a full document (20000 sheet rows, 50 graphs).
qv_benchmark(bench_documents ${CMAKE_CURRENT_SOURCE_DIR}/documents_bench.cpp OFFSCREEN LIBS qv_documents)
