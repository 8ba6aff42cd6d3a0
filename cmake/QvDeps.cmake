# Third-party libraries, all from Debian packages.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(OSMESA REQUIRED IMPORTED_TARGET osmesa)
pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
find_path(STB_INCLUDE_DIR stb_image.h PATH_SUFFIXES stb REQUIRED)
# The dense solves of the radial-basis gridding: LAPACK and BLAS of OpenBLAS.
pkg_check_modules(OPENBLAS REQUIRED IMPORTED_TARGET openblas)

# The drawing libraries call gl* but link no GL library themselves: an
# executable that loads libGL before libOSMesa sends every call to libGL's
# dispatch and an OSMesa context then draws nothing. The program links libGL
# (through wxWidgets); offscreen tests and benchmarks link qv_gl_offscreen first.
add_library(qv_gl_headers INTERFACE)
target_include_directories(qv_gl_headers INTERFACE ${OSMESA_INCLUDE_DIRS} ${GLU_INCLUDE_DIRS})

add_library(qv_gl_offscreen INTERFACE)
target_link_libraries(qv_gl_offscreen INTERFACE ${OSMESA_LINK_LIBRARIES} ${GLU_LINK_LIBRARIES})

if(QV_BUILD_APP OR QV_BUILD_TESTS)
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS gl core base)
  # The printer draws a page for a PDF file through cairo, as the toolkit does.
  pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
endif()
if(QV_BUILD_TESTS OR QV_BUILD_FUZZ)
  find_package(GTest REQUIRED)
endif()
if(QV_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
