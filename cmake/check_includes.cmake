# Run by the build (cmake -P) before any layer compiles; fails it on an
# include that would slip past the layers' include roots:
#
#  - a path with a ".." in it, relative ("../engine/x.h") or through a
#    root ("game/../stages/stage1/x.h"): it reaches folders the layer's
#    root does not show;
#  - outside platform/sdl and platform/headless, a header of SDL, SDL_ttf,
#    FluidSynth, fontconfig or FreeType, or one of the platform's
#    implementations: only the platform's implementations see those
#    libraries, the layers above see the platform through platform/*.h.
#
#   cmake -DSOURCE_DIR=<source tree> -DSTAMP=<file written on success> -P check_includes.cmake

set(layer_folders platform engine assets game stages app)
set(implementations "^platform/(sdl|headless)/")
set(library_header "^(SDL2?/|SDL[A-Za-z0-9_]*\\.h$|fluidsynth|fontconfig/|ft2build\\.h$|freetype2?/)")

set(refused "")
foreach(folder ${layer_folders})
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp
    ${SOURCE_DIR}/${folder}/*.inc)
  foreach(file ${files})
    set(sees_libraries FALSE)
    if(file MATCHES "${implementations}")
      set(sees_libraries TRUE)
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" path "${line}")
      if(path MATCHES "(^|/)\\.\\.(/|$)")
        string(APPEND refused "  ${file}: ${line}  (a path through \"..\" leaves the layer's include root)\n")
      elseif(NOT sees_libraries AND path MATCHES "${library_header}")
        string(APPEND refused "  ${file}: ${line}  (only platform/sdl and platform/headless see the libraries)\n")
      elseif(NOT sees_libraries AND path MATCHES "${implementations}")
        string(APPEND refused "  ${file}: ${line}  (the layers above see the platform through platform/*.h)\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(NOT refused STREQUAL "")
  message(FATAL_ERROR "includes that cross the layer wall:\n${refused}")
endif()
file(TOUCH ${STAMP})
