# sarvo_add_note_font(target): generates the note font Sarvo.ttf from its drawing script at build
# time and embeds it in target as the Qt resource ":/fonts/Sarvo.ttf".

function(sarvo_find_font_python out)
  # The interpreter must reach python3-fonttools; a Python of its own on PATH may not.
  find_package(Python3 COMPONENTS Interpreter QUIET)
  foreach(candidate ${Python3_EXECUTABLE} /usr/bin/python3)
    execute_process(COMMAND ${candidate} -c "import fontTools"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(status EQUAL 0)
      set(${out} ${candidate} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "The note font needs Python 3 with fontTools (Debian: python3-fonttools)")
endfunction()

function(sarvo_add_note_font target)
  sarvo_find_font_python(python)
  set(script ${CMAKE_SOURCE_DIR}/resources/font/makenotefont.py)
  set(font ${CMAKE_CURRENT_BINARY_DIR}/fonts/Sarvo.ttf)
  add_custom_command(
    OUTPUT ${font}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/fonts
    COMMAND ${python} ${script} ${font}
    DEPENDS ${script}
    COMMENT "Drawing the note font Sarvo.ttf"
    VERBATIM)
  qt_add_resources(${target} notefont
    PREFIX /
    BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${font})
endfunction()
