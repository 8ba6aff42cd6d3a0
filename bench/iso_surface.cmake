# The iso-surface: polygonising a 101^3 volume alone, and drawn into a
# display list offscreen. The polygoniser's header is private to the graphs.
qv_benchmark(bench_iso_surface ${CMAKE_CURRENT_LIST_DIR}/iso_surface_bench.cpp OFFSCREEN LIBS qv_graphs)
if(TARGET bench_iso_surface)
  target_include_directories(bench_iso_surface PRIVATE ${CMAKE_SOURCE_DIR}/src/graphs)
endif()
