qv_benchmark(bench_data ${CMAKE_CURRENT_SOURCE_DIR}/data_bench.cpp LIBS qv_data PkgConfig::OPENBLAS)
