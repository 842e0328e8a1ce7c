# The layers of the program, one way:
#
#   platform -> engine -> assets -> game (the kit) -> stages/stage1..3 -> app
#
# Each layer is a static library that links only the layers below it, and
# each sees only its own folders and those of the layers below: it compiles
# against an include root of its own, a folder in the build tree holding
# links to exactly those folders. An include of a higher layer, or of another
# stage, finds no file and fails to compile. The libraries that depend on
# the build variant (MD4_WINDOWED 0 or 1) are built once per variant.
#
# Links reach further than the roots mean to, though: "../" or
# "game/../stages/..." walks out of a root, and the libraries' headers lie on
# the system's include path for every layer. So before any layer compiles,
# the build reads every include of the layers' sources
# (cmake/check_includes.cmake) and stops on a path through "..", and on a
# header of SDL, SDL_ttf, FluidSynth, fontconfig or FreeType, or of the
# platform's implementations, outside platform/sdl and platform/headless.
#
# On top of that, md4_link_check_* link every object of one layer's library
# with only the layers below it (and the headless platform): a reference to a
# routine of a higher layer fails to link. They are part of the default build.

set(MD4_LAYER_ROOTS ${PROJECT_BINARY_DIR}/layer-roots)

# md4_layer_root(<out-var> <name> <folder>...): the include root of a layer
# that shows the given source folders. Its path carries a digest of the list,
# so a root never keeps a folder that its layer no longer lists.
function(md4_layer_root out name)
  string(MD5 digest "${ARGN}")
  string(SUBSTRING ${digest} 0 8 digest)
  set(root ${MD4_LAYER_ROOTS}/${name}-${digest})
  foreach(folder ${ARGN})
    set(link ${root}/${folder})
    get_filename_component(parent ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(IS_SYMLINK ${link})
      file(READ_SYMLINK ${link} target)
      if(target STREQUAL ${PROJECT_SOURCE_DIR}/${folder})
        continue()
      endif()
      file(REMOVE ${link})  # the link only, never what it points to
    endif()
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${link} SYMBOLIC)
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

set(MD4_PLATFORM_FOLDERS platform)
set(MD4_ENGINE_FOLDERS ${MD4_PLATFORM_FOLDERS} engine)
set(MD4_ASSETS_FOLDERS ${MD4_ENGINE_FOLDERS} assets)
set(MD4_KIT_FOLDERS ${MD4_ASSETS_FOLDERS} game)
set(MD4_APP_FOLDERS ${MD4_KIT_FOLDERS} stages/stage1 stages/stage2 stages/stage3 app)

md4_layer_root(MD4_PLATFORM_ROOT platform ${MD4_PLATFORM_FOLDERS})
md4_layer_root(MD4_ENGINE_ROOT engine ${MD4_ENGINE_FOLDERS})
md4_layer_root(MD4_ASSETS_ROOT assets ${MD4_ASSETS_FOLDERS})
md4_layer_root(MD4_KIT_ROOT kit ${MD4_KIT_FOLDERS})
foreach(stage 1 2 3)
  md4_layer_root(MD4_STAGE${stage}_ROOT stage${stage} ${MD4_KIT_FOLDERS} stages/stage${stage})
endforeach()
md4_layer_root(MD4_APP_ROOT app ${MD4_APP_FOLDERS})

set(MD4_INCLUDE_CHECK ${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake)
# The files the check reads (the same folders and kinds as it globs), so
# that a change to any of them runs it again.
set(MD4_LAYER_SOURCES "")
foreach(folder platform engine assets game stages app)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h
    ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.inc)
  list(APPEND MD4_LAYER_SOURCES ${sources})
endforeach()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/layer-includes.stamp
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DSTAMP=${PROJECT_BINARY_DIR}/layer-includes.stamp
    -P ${MD4_INCLUDE_CHECK}
  DEPENDS ${MD4_INCLUDE_CHECK} ${MD4_LAYER_SOURCES}
  COMMENT "Checking the layers' includes")
add_custom_target(md4_layer_includes DEPENDS ${PROJECT_BINARY_DIR}/layer-includes.stamp)

# md4_add_layer(<target> <include root> [OBJECT] SOURCES <files>... LINKS <targets>...)
# A static library, or with OBJECT a set of objects that every program
# linking it takes whole (the platform's implementations: the layers above
# call into them wherever they stand on the link line).
function(md4_add_layer target root)
  cmake_parse_arguments(PARSE_ARGV 2 arg "OBJECT" "" "SOURCES;LINKS")
  if(arg_OBJECT)
    add_library(${target} OBJECT ${arg_SOURCES})
  else()
    add_library(${target} STATIC ${arg_SOURCES})
  endif()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
  add_dependencies(${target} md4_layer_includes)
endfunction()

# md4_add_link_check(<library>): every object of the library linked with
# only what the library links, and the headless platform behind the
# platform's interface (an object set links whole by itself).
set(MD4_LINK_CHECK_MAIN ${CMAKE_CURRENT_LIST_DIR}/link_check.cpp)
function(md4_add_link_check library)
  add_executable(md4_link_check_${library} ${MD4_LINK_CHECK_MAIN})
  get_target_property(type ${library} TYPE)
  if(type STREQUAL "OBJECT_LIBRARY" OR library STREQUAL "md4_platform_common" OR library STREQUAL "md4_platform_sdl_common")
    # The platform's shared part needs nothing of its implementations.
    target_link_libraries(md4_link_check_${library} PRIVATE ${library})
  else()
    target_link_libraries(md4_link_check_${library} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>"
      md4_platform_headless)
  endif()
endfunction()
