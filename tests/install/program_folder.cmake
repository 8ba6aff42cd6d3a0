# Installs the build into a scratch prefix and checks that the program has
# its help, its icon and every committed sample beside it, there and in the
# build's own program folder, byte for byte.
#   cmake -DSOURCE=<source> -DBUILD=<build> -DPREFIX=<scratch> -DBINDIR=<bin>
#         -DPROGRAM_DIR=<build's program folder> -P program_folder.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the install failed: ${result}")
endif()
set(installed "${PREFIX}/${BINDIR}")
foreach(file quorvel help/index.html icons/hicolor/16x16/apps/quorvel.png
             icons/hicolor/48x48/apps/quorvel.png icons/hicolor/256x256/apps/quorvel.png)
  if(NOT EXISTS "${installed}/${file}")
    message(FATAL_ERROR "${file} is not installed in ${installed}")
  endif()
endforeach()
file(GLOB samples RELATIVE "${SOURCE}/resources/samples" "${SOURCE}/resources/samples/*")
list(LENGTH samples count)
if(count EQUAL 0)
  message(FATAL_ERROR "no samples in ${SOURCE}/resources/samples")
endif()
foreach(sample ${samples})
  file(SHA256 "${SOURCE}/resources/samples/${sample}" committed)
  foreach(folder "${installed}" "${PROGRAM_DIR}")
    if(NOT EXISTS "${folder}/samples/${sample}")
      message(FATAL_ERROR "samples/${sample} is missing beside the program in ${folder}")
    endif()
    file(SHA256 "${folder}/samples/${sample}" copied)
    if(NOT copied STREQUAL committed)
      message(FATAL_ERROR "samples/${sample} in ${folder} differs from the committed file")
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
