# Read by CTest after the discovered tests are defined: every unit and
# scenario test runs on SDL's dummy audio and video drivers, so that no test
# opens a window or a sound device. (Discovery's own PROPERTIES cannot carry
# a list, so the two variables are set here.)
foreach(tests IN ITEMS md4_tests_full_TESTS md4_tests_windowed_TESTS md4_scenarios_full_TESTS
                       md4_scenarios_windowed_TESTS)
  if(${tests})
    set_tests_properties(${${tests}} PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy")
  endif()
endforeach()
