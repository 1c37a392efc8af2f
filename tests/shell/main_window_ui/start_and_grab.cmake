# Starts ondrix offscreen on a new data folder with a connection name that is not in the book and
# "--grab": the program must create the factory record files, show its window, save the picture,
# close (saving the window bounds) and end with status 0.
#   cmake -DONDRIX=path -DCLI=ondrix-cli -DWORK=folder -P start_and_grab.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ONDRIX_DATA=${WORK}/DATA
          ${ONDRIX} "No such connection" --grab ${WORK}/window.png
  RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ondrix ended with ${status}")
endif()
foreach(file window.png DATA/KEYS.QDB DATA/PALETTES.QDB DATA/DEFAULTS.QDB DATA/ADDINS.QDB)
  if(NOT EXISTS ${WORK}/${file})
    message(FATAL_ERROR "${file} is missing")
  endif()
endforeach()
execute_process(COMMAND ${CLI} qdb keys ${WORK}/DATA/DEFAULTS.QDB OUTPUT_VARIABLE keys RESULT_VARIABLE status)
foreach(key Left Top Width Height)
  if(NOT keys MATCHES "(^|\n)${key}\n")
    message(FATAL_ERROR "DEFAULTS.QDB has no ${key}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
