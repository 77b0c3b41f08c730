# Windows-only targets: the rooms above the portable core, and the program itself.
enable_language(RC)
# Arrows point down: ui -> shell, settings -> platform -> core.

add_library(
    inkwarden_platform STATIC platform/text.cpp platform/dpi.cpp platform/message.cpp platform/process.cpp
                              platform/date.cpp platform/window.cpp platform/files.cpp platform/profile.cpp
                              platform/registry.cpp platform/clipboard.cpp
                              platform/command_line.cpp)
target_link_libraries(inkwarden_platform PUBLIC inkwarden_core)
inkwarden_warnings(inkwarden_platform)

add_library(inkwarden_settings STATIC settings/module1.cpp settings/autorun.cpp settings/save.cpp
                                      settings/custom_styles.cpp)
target_link_libraries(inkwarden_settings PUBLIC inkwarden_platform)
inkwarden_warnings(inkwarden_settings)

add_library(inkwarden_shell STATIC shell/window_utils.cpp shell/sysico.cpp shell/hotkey.cpp shell/paste_back.cpp)
target_link_libraries(inkwarden_shell PUBLIC inkwarden_platform shell32)
inkwarden_warnings(inkwarden_shell)

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/ui/main/For_main.cpp)
    add_library(inkwarden_ui STATIC ui/window.cpp ui/title_band.cpp ui/main/For_main.cpp ui/main/panels.cpp
                                ui/main/fill.cpp ui/main/round_trip.cpp ui/for_ok.cpp ui/set_ini.cpp)
    target_link_libraries(inkwarden_ui PUBLIC inkwarden_settings inkwarden_shell comctl32 gdi32 user32)
    inkwarden_warnings(inkwarden_ui)

    add_executable(scribbet WIN32 app/main.cpp assets/scribbet.rc)
    target_link_libraries(scribbet PRIVATE inkwarden_ui)
    inkwarden_warnings(scribbet)
    if(MINGW)
        # wWinMain; and no symbol table in the shipped exe.
        target_link_options(scribbet PRIVATE -municode $<$<CONFIG:Release>:-s>)
        # Size: every function and object in a section of its own, so the linker drops what
        # nothing calls. The window code is a chain of Win32 calls and is compiled for size;
        # the block assembly copies whole fields and keeps -O2.
        # Nothing in it catches an exception or asks a type at run time: without either, no
        # unwinding tables or type records are made, and platform/lean_runtime_mingw.cpp keeps
        # libstdc++'s exception and thread machinery out of the link.
        foreach(target inkwarden_remark inkwarden_signature inkwarden_core inkwarden_platform inkwarden_settings
                       inkwarden_shell inkwarden_ui scribbet)
            target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections $<$<CONFIG:Release>:-Os>
                                                     -fno-exceptions -fno-rtti)
        endforeach()
        target_sources(scribbet PRIVATE platform/lean_runtime_mingw.cpp)
        set_source_files_properties(core/remark.cpp PROPERTIES COMPILE_OPTIONS $<$<CONFIG:Release>:-O2>)
        # The heading reader's units compiled as one: each grammar's helpers and the vector
        # growth they share are then inlined where they are called once, as before the
        # reader was split into units (2 KB less than unit by unit).
        set_target_properties(inkwarden_signature PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
        target_link_options(scribbet PRIVATE -Wl,--gc-sections)
        # A GUI program has no console for libstdc++'s verbose terminate message: ending
        # with abort() directly keeps its demangler and printf (about 60 KB) out of the exe.
        target_link_options(scribbet PRIVATE -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)
    endif()
    set_target_properties(scribbet PROPERTIES OUTPUT_NAME scribbet RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    target_include_directories(scribbet PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/assets)
    # The manifest and the icon are read by the resource compiler.
    set_property(SOURCE assets/scribbet.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${CMAKE_CURRENT_SOURCE_DIR}/assets/scribbet.manifest ${CMAKE_CURRENT_SOURCE_DIR}/assets/inkwarden.ico)
    # The release zip: `cmake --build --preset windows --target package` makes
    # Inkwarden-2.0.0.1-win64.zip with the exe, the delivered settings file (the program
    # never creates it) and the usage notes.
    install(TARGETS scribbet RUNTIME DESTINATION .)
    install(FILES assets/scribbet.ini assets/使用说明.txt DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME Inkwarden)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_SYSTEM_NAME win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    include(CPack)
    if(MSVC)
        # The manifest comes from the .rc; the linker must not add a second one.
        target_link_options(scribbet PRIVATE /MANIFEST:NO)
    endif()
endif()

# Start-up measurement (scripts/startup.sh): the yardstick windows, scribbet.exe built
# once more with a mark at the start of wWinMain, and the program that times them.
if(TARGET scribbet)
    get_target_property(scribbet_sources scribbet SOURCES)
    add_executable(scribbet_marked WIN32 ${scribbet_sources})
    target_compile_definitions(scribbet_marked PRIVATE INKWARDEN_STARTUP_MARK)
    target_include_directories(scribbet_marked PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/assets)
    target_link_libraries(scribbet_marked PRIVATE inkwarden_ui)
    # The same link options, /MANIFEST:NO for MSVC among them.
    get_target_property(scribbet_link_options scribbet LINK_OPTIONS)
    target_link_options(scribbet_marked PRIVATE ${scribbet_link_options})
    inkwarden_warnings(scribbet_marked)
endif()
add_executable(bare_window WIN32 bench/startup/bare_window.cpp)
add_executable(themed_window WIN32 bench/startup/bare_window.cpp bench/startup/themed_window.rc)
target_compile_definitions(themed_window PRIVATE INKWARDEN_THEMED)
target_link_libraries(themed_window PRIVATE comctl32)
add_executable(startup_probe bench/startup/startup_probe.cpp)
target_include_directories(startup_probe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(startup_probe PRIVATE shell32)
if(MSVC)
    target_link_options(themed_window PRIVATE /MANIFEST:NO)
endif()
foreach(target bare_window themed_window startup_probe)
    inkwarden_warnings(${target})
    if(MINGW)
        target_link_options(${target} PRIVATE -municode)
    endif()
endforeach()

