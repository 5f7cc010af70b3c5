list(APPEND KORVALIN_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TextUtils.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StringList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShortCut.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShellPaths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SafeFileRules.cpp)
list(APPEND KORVALIN_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/LxUtils.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LxRtfRef.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FontDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RichStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SafeFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Printing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RawPrinter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RichRuns.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LxShell.cpp)
