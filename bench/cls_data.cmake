qv_benchmark(bench_cls_data ${CMAKE_CURRENT_SOURCE_DIR}/cls_data_bench.cpp LIBS qv_data)
