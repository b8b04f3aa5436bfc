# The shell's windows, the start procedure and the application context.
target_sources(zelmar_gui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/appcontext.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/appcontext.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/windowregistry.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/windowregistry.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/windowcatalog.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/windowcatalog.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/programm.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/programm.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/hauptwindow.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/hauptwindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/startwindow.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/startwindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/hilfewindow.h
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/hilfewindow.cpp
)
