# The Windows deliverables and their tests: vokctl32.dll, ozm.exe and the Win32 test programs.
enable_language(RC)

# The control library: every source in controls/, its own resources and export list.
file(GLOB VOKCTL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/controls/*.cpp)
file(GLOB VOKCTL_RC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/controls/*.rc)
if(VOKCTL_SOURCES)
    add_library(vokctl32 SHARED ${VOKCTL_SOURCES} ${VOKCTL_RC} ${CMAKE_SOURCE_DIR}/controls/vokctl32.def)
    set_target_properties(vokctl32 PROPERTIES PREFIX "" OUTPUT_NAME vokctl32)
    target_include_directories(vokctl32 PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources/controls)
    target_link_libraries(vokctl32 PRIVATE user32 gdi32 kernel32)
endif()

# The program's Win32 code, except its entry: per layer of layers.txt, the win32/ subfolders of its folders
# make vokNAMEwin, linked on the layer's portable library and the Win32 library of the layer below.
set(VOK_WIN32_SYSTEM_LIBS comdlg32 comctl32 user32 gdi32 kernel32 advapi32 shell32 winspool)
if(TARGET vokctl32)
    list(PREPEND VOK_WIN32_SYSTEM_LIBS vokctl32)
endif()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/LayerLinkMain.cpp CONTENT "int main() { return 0; }\n")
set(below "")
foreach(layer ${VOK_LAYERS})
    set(srcs)
    foreach(dir ${VOK_LAYER_DIRS_${layer}})
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/win32/*.cpp)
        list(APPEND srcs ${found})
    endforeach()
    list(FILTER srcs EXCLUDE REGEX ".*/shell/win32/WinMain\\.cpp$")
    if(NOT srcs)
        continue()
    endif()
    add_library(vok${layer}win STATIC ${srcs})
    target_include_directories(vok${layer}win PUBLIC ${CMAKE_SOURCE_DIR}/resources/ozm)
    target_link_libraries(vok${layer}win PUBLIC vok${layer} ${below} ${VOK_WIN32_SYSTEM_LIBS})
    # As natively for the portable layers: every object of the layer links against the layers below.
    add_executable(vok_layer_link_${layer}win ${CMAKE_BINARY_DIR}/LayerLinkMain.cpp)
    target_link_libraries(vok_layer_link_${layer}win PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,vok${layer}win>")
    set(below vok${layer}win)
endforeach()
# ozmbatch and the portable tests take the Win32 part of their own layer (a file's count of names).
if(TARGET vokbatchwin)
    target_link_libraries(ozmbatch PRIVATE vokbatchwin)
    target_link_libraries(vok_tests PRIVATE vokbatchwin)
endif()
# A 32-bit program may use 4 GB of address space on 64-bit Windows, not 2, when it says it handles the
# addresses above 2 GB: large files then load where they would otherwise run out of room.
target_link_options(ozmbatch PRIVATE -Wl,--large-address-aware)
add_library(vokwin INTERFACE)
target_link_libraries(vokwin INTERFACE ${below})
set(VOK_WIN32_LIBS vokwin)

file(GLOB OZM_RC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/ozm/*.rc)
if(EXISTS ${CMAKE_SOURCE_DIR}/shell/win32/WinMain.cpp)
    add_executable(ozm WIN32 ${CMAKE_SOURCE_DIR}/shell/win32/WinMain.cpp ${OZM_RC})
    target_include_directories(ozm PRIVATE ${CMAKE_SOURCE_DIR}/resources/ozm)
    target_link_libraries(ozm PRIVATE ${VOK_WIN32_LIBS})
    target_link_options(ozm PRIVATE -Wl,--large-address-aware)
    # The files shipped beside the program (DEFKEY.OZM for Reset All, ...) sit next to ozm.exe.
    file(GLOB VOK_DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
    if(VOK_DATA_FILES)
        add_custom_command(TARGET ozm POST_BUILD
                           COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VOK_DATA_FILES} $<TARGET_FILE_DIR:ozm>)
    endif()
endif()

# OZME.DLL beside ozm.exe: a resource-only library of the character-set screen fonts, generated from the
# bitmap fonts of xfonts-base by our own script.
set(VOK_SCREEN_FONTS_DIR ${CMAKE_BINARY_DIR}/screenfonts)
file(MAKE_DIRECTORY ${VOK_SCREEN_FONTS_DIR})
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/OZME.DLL
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-screen-fonts.py ${VOK_SCREEN_FONTS_DIR}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${VOK_SCREEN_FONTS_DIR}/ozme.rc -o ${VOK_SCREEN_FONTS_DIR}/ozme.o
    COMMAND ${CMAKE_CXX_COMPILER} -shared -nostdlib -Wl,--entry=0 -Wl,--no-insert-timestamp
            -o ${CMAKE_BINARY_DIR}/OZME.DLL ${VOK_SCREEN_FONTS_DIR}/ozme.o
    WORKING_DIRECTORY ${VOK_SCREEN_FONTS_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-screen-fonts.py
    COMMENT "Generating OZME.DLL")
add_custom_target(ozme ALL DEPENDS ${CMAKE_BINARY_DIR}/OZME.DLL)

# The program's help: the pages and topics of help/ and the Keyboard topic made from the default key map's
# table, compiled by chmcmd into OZM.CHM beside ozm.exe.
find_program(VOK_CHMCMD chmcmd)
if(VOK_CHMCMD)
    file(GLOB VOK_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/* ${CMAKE_SOURCE_DIR}/help/pages/*)
    set(VOK_HELP_OUT ${CMAKE_BINARY_DIR}/help)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/OZM.CHM
                       COMMAND ${CMAKE_COMMAND} -E rm -rf ${VOK_HELP_OUT}
                       COMMAND python3 ${CMAKE_SOURCE_DIR}/help/build-help.py ${CMAKE_SOURCE_DIR} ${VOK_HELP_OUT}
                       COMMAND ${CMAKE_COMMAND} -E chdir ${VOK_HELP_OUT} ${VOK_CHMCMD} ozm.hhp
                       # chmcmd reports a broken project without failing: the copy fails instead.
                       COMMAND ${CMAKE_COMMAND} -E copy ${VOK_HELP_OUT}/OZM.CHM ${CMAKE_BINARY_DIR}/OZM.CHM
                       DEPENDS ${VOK_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/keys/DefaultKeyMap.cpp
                               ${CMAKE_SOURCE_DIR}/keys/KeyCodes.cpp ${CMAKE_SOURCE_DIR}/keys/KeyCodes.h
                       VERBATIM)
    add_custom_target(ozm_help ALL DEPENDS ${CMAKE_BINARY_DIR}/OZM.CHM)
else()
    message(WARNING "chmcmd not found: OZM.CHM is not built (scripts/install-deps.sh installs it)")
endif()

# The capture program the user tools run through, beside ozm.exe: one file, the system's libraries only.
add_executable(ozmcap32 ${CMAKE_SOURCE_DIR}/tools/win32/capture/ozmcap32.cpp)

# Win32 tests: real windows and dialogs, run under Wine and Xvfb.
set(VOK_WIN32_TESTS)
foreach(dir ${VOK_SOURCE_DIRS} controls)
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/win32/*.cpp)
    list(APPEND VOK_WIN32_TESTS ${srcs})
endforeach()
if(VOK_WIN32_TESTS)
    # The program's resources too: the frame and its dialogs under test load them from the test program.
    add_executable(vok_win32_tests ${VOK_WIN32_TESTS} ${OZM_RC})
    target_include_directories(vok_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/resources/ozm
                               ${CMAKE_SOURCE_DIR}/resources/controls)
    target_compile_definitions(vok_win32_tests PRIVATE VOK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    target_link_libraries(vok_win32_tests PRIVATE ${VOK_WIN32_LIBS} ${VOK_GTEST})
    target_compile_options(vok_win32_tests PRIVATE ${VOK_TEST_COMPILE_OPTIONS})
    target_precompile_headers(vok_win32_tests PRIVATE <windows.h> <gtest/gtest.h> <string> <vector>)
    # The tool runner's tests capture output through the real capture program beside them.
    add_dependencies(vok_win32_tests ozmcap32)
    # The screen font tests read the font library beside them.
    add_dependencies(vok_win32_tests ozme)
    # The search dialogs run from their real templates; the program's other resources stay out.
    if(EXISTS ${CMAKE_SOURCE_DIR}/resources/ozm/search.rc)
        target_sources(vok_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources/ozm/search.rc)
    endif()
endif()

# The screenshot program: scenes of the editor's windows for scripts/screenshot.sh and shot-controls.sh. It
# checks nothing and is no test; it takes the program's resources for the dialog templates and cursors.
file(GLOB VOK_SCREENSHOT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/screenshots/win32/*.cpp)
if(VOK_SCREENSHOT_SOURCES AND TARGET vokwin)
    add_executable(vok_screenshots ${VOK_SCREENSHOT_SOURCES} ${OZM_RC})
    target_include_directories(vok_screenshots PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/resources/ozm)
    target_link_libraries(vok_screenshots PRIVATE vokwin)
endif()

# Load and save timing of the document streams (built on demand by scripts/bench.sh).
add_executable(vok_bench_win EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/LoadSaveTiming.cpp
               ${CMAKE_SOURCE_DIR}/bench/BenchFiles.cpp)
target_link_libraries(vok_bench_win PRIVATE vokcore)

# Timing of the editor window under Wine (not a test; run by scripts/bench.sh).
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/win32/EditorWindowBench.cpp AND TARGET vokwin)
    add_executable(vok_window_bench ${CMAKE_SOURCE_DIR}/bench/win32/EditorWindowBench.cpp)
    target_link_libraries(vok_window_bench PRIVATE vokwin)
    set_target_properties(vok_window_bench PROPERTIES EXCLUDE_FROM_ALL TRUE)
endif()
