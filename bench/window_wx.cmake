# The real main window under a display (xvfb-run): opening a document of many
# graphs and clicking one check box of its list. It has its own main, which
# runs the benchmarks inside the toolkit's application.
if(QV_BUILD_APP AND TARGET qv_window)
  add_executable(bench_window_wx ${CMAKE_CURRENT_LIST_DIR}/window_wx_bench.cpp)
  target_link_libraries(bench_window_wx PRIVATE qv_window ${GLU_LINK_LIBRARIES} benchmark::benchmark)
endif()
