list(APPEND KORVALIN_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WindowRules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Suchen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Hilfe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DokumentArt.cpp)
list(APPEND KORVALIN_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Haupt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptKeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChordTrace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptInstance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptZeilenbreite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptSchriftart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptSchrift.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptTabDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptSuchen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptUpdate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptHilfe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptAnsage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HauptBraille.cpp)
