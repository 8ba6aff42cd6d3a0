# Contour lines: a contour plot compiled into a display list, and the tracer
# alone into a sink that keeps nothing.
qv_benchmark(bench_contours ${CMAKE_CURRENT_SOURCE_DIR}/contours_bench.cpp OFFSCREEN LIBS qv_graphs)
if(TARGET bench_contours)
  # The tracer is a private part of the graphs library.
  target_include_directories(bench_contours PRIVATE ${CMAKE_SOURCE_DIR}/src/graphs)
endif()
