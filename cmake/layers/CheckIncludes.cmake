# Fails when a file of src/FOLDER (or of its posix/ and win32/ folders) includes a header of a
# folder of src/ that is not in ALLOWED (comma-separated); writes STAMP when all is well.
# Run by the build (cmake/VardenoLayers.cmake) before the folder's library compiles.
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
file(GLOB files ${SOURCE_DIR}/${FOLDER}/*.h ${SOURCE_DIR}/${FOLDER}/*.cpp
     ${SOURCE_DIR}/${FOLDER}/posix/*.h ${SOURCE_DIR}/${FOLDER}/posix/*.cpp
     ${SOURCE_DIR}/${FOLDER}/win32/*.h ${SOURCE_DIR}/${FOLDER}/win32/*.cpp)
set(faults)
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" target "${line}")
    if(target IN_LIST folders AND NOT target IN_LIST allowed)
      file(RELATIVE_PATH shown ${SOURCE_DIR}/.. ${file})
      string(STRIP "${line}" line)
      list(APPEND faults "  ${shown}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(faults)
  string(REPLACE ";" "" faults "${faults}")
  string(REPLACE ";" ", " allowed_shown "${allowed}")
  message(FATAL_ERROR "src/${FOLDER} includes a layer above it; it may include ${allowed_shown} only:\n${faults}")
endif()
file(WRITE ${STAMP} "")
