# Compiles every picture of ui/pictures/ into the program as a byte array.
# ui/pictures/avatar.jpg becomes pictures/avatar.h declaring kAvatarJpg (its size in the type)
# and a source file holding the bytes.
file(GLOB picture_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/pictures/*.png ${CMAKE_SOURCE_DIR}/ui/pictures/*.jpg)
set(PICTURE_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
set(PICTURE_SOURCES "")
foreach(picture ${picture_files})
  get_filename_component(stem ${picture} NAME_WE)
  get_filename_component(extension ${picture} LAST_EXT)
  set(header ${PICTURE_INCLUDE_DIR}/pictures/${stem}.h)
  set(source ${PICTURE_INCLUDE_DIR}/pictures/${stem}.cpp)
  add_custom_command(
    OUTPUT ${header} ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${picture} -DSTEM=${stem} -DEXTENSION=${extension}
            -DHEADER=${header} -DSOURCE=${source} -P ${CMAKE_SOURCE_DIR}/cmake/embed_picture.cmake
    DEPENDS ${picture} ${CMAKE_SOURCE_DIR}/cmake/embed_picture.cmake
    COMMENT "Embedding picture ${stem}${extension}")
  list(APPEND PICTURE_SOURCES ${source} ${header})
endforeach()
