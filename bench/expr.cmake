qv_benchmark(bench_expr ${CMAKE_CURRENT_SOURCE_DIR}/expr_bench.cpp LIBS qv_expr)
