list(APPEND KORVALIN_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Chords.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyboardCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Translation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SoundCues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Zeilenbreite.cpp)
list(APPEND KORVALIN_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/hooks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SoundOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NummerDlgC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TastaturtestDlgC.cpp)
