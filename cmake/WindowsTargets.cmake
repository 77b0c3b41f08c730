# Windows-only targets: the rooms above the portable core, and the program itself.
enable_language(RC)
# Arrows point down: ui -> shell, settings -> platform -> core.

add_library(
    inkwarden_platform STATIC platform/text.cpp platform/dpi.cpp platform/message.cpp platform/process.cpp
                              platform/date.cpp platform/window.cpp platform/files.cpp platform/profile.cpp
                              platform/registry.cpp platform/clipboard.cpp)
target_link_libraries(inkwarden_platform PUBLIC inkwarden_core)
inkwarden_warnings(inkwarden_platform)

add_library(inkwarden_settings STATIC settings/module1.cpp settings/autorun.cpp settings/save.cpp
                                      settings/custom_styles.cpp)
target_link_libraries(inkwarden_settings PUBLIC inkwarden_platform)
inkwarden_warnings(inkwarden_settings)

add_library(inkwarden_shell STATIC shell/window_utils.cpp shell/sysico.cpp shell/hotkey.cpp shell/paste_back.cpp)
target_link_libraries(inkwarden_shell PUBLIC inkwarden_platform shell32)
inkwarden_warnings(inkwarden_shell)

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/ui/For_main.cpp)
    add_library(inkwarden_ui STATIC ui/window.cpp ui/For_main.cpp ui/for_ok.cpp ui/set_ini.cpp)
    target_link_libraries(inkwarden_ui PUBLIC inkwarden_settings inkwarden_shell comctl32 gdi32 user32)
    inkwarden_warnings(inkwarden_ui)

    add_executable(scribbet WIN32 app/main.cpp assets/scribbet.rc)
    target_link_libraries(scribbet PRIVATE inkwarden_ui)
    inkwarden_warnings(scribbet)
    if(MINGW)
        # wWinMain; and no symbol table in the shipped exe.
        target_link_options(scribbet PRIVATE -municode $<$<CONFIG:Release>:-s>)
    endif()
    set_target_properties(scribbet PROPERTIES OUTPUT_NAME scribbet RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    target_include_directories(scribbet PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/assets)
    # The manifest and pictures are read by the resource compiler.
    set_property(SOURCE assets/scribbet.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${CMAKE_CURRENT_SOURCE_DIR}/assets/scribbet.manifest ${CMAKE_CURRENT_SOURCE_DIR}/assets/inkwarden.ico
                 ${CMAKE_CURRENT_SOURCE_DIR}/assets/title_100.bmp ${CMAKE_CURRENT_SOURCE_DIR}/assets/title_150.bmp
                 ${CMAKE_CURRENT_SOURCE_DIR}/assets/title_200.bmp)
    if(MSVC)
        # The manifest comes from the .rc; the linker must not add a second one.
        target_link_options(scribbet PRIVATE /MANIFEST:NO)
    endif()
endif()
