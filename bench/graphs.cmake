# Graph drawing: one large surface compiled into a display list and replayed.
qv_benchmark(bench_graphs ${CMAKE_CURRENT_SOURCE_DIR}/graphs_bench.cpp OFFSCREEN LIBS qv_graphs)
