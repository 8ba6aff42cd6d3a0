# The main window's scene build and repaint, offscreen at 800 x 600.
qv_benchmark(bench_window ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp OFFSCREEN LIBS qv_window_core)
