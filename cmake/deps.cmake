# Imported targets for the Debian packages we link.
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
pkg_check_modules(SDLMIXER REQUIRED IMPORTED_TARGET SDL_mixer)
# The ILUT .pc file alone is broken on Debian 12: ask for all three together.
pkg_check_modules(DEVIL REQUIRED IMPORTED_TARGET ILUT ILU IL)
pkg_check_modules(MARIADB REQUIRED IMPORTED_TARGET libmariadb)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(VORBIS REQUIRED IMPORTED_TARGET vorbisenc vorbis ogg)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)

find_package(wxWidgets 3.2 REQUIRED COMPONENTS gl core base net)
add_library(cav_wx INTERFACE)
target_include_directories(cav_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(cav_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(cav_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(cav_wx INTERFACE ${wxWidgets_LIBRARIES} OpenGL::GL OpenGL::GLU)

find_package(GTest REQUIRED)
if(CAV_BENCH)
  find_package(benchmark REQUIRED)
endif()
