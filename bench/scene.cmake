qv_benchmark(bench_scene ${CMAKE_CURRENT_SOURCE_DIR}/scene_bench.cpp OFFSCREEN LIBS qv_scene)
