# Windows build (MinGW-w64, i686): the program, its Win32 tests and the end-to-end driver.
enable_language(RC)
set(QV_WIN_LIBS comctl32 comdlg32 msimg32 shell32 ole32 gdi32 user32 kernel32 advapi32 bcrypt winhttp)
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601)

# The window layer: our small window classes over Win32.
add_library(QuorvaneWindowLayer STATIC
  src/ui/Application.cpp
  src/ui/ComCtrls.cpp
  src/ui/DeferredRelease.cpp
  src/ui/Dialog.cpp
  src/ui/DragDrop.cpp
  src/ui/ExtCtrls.cpp
  src/ui/Form.cpp
  src/ui/GraphicControl.cpp
  src/ui/PopupMenu.cpp
  src/ui/StdControls.cpp
  src/ui/Timer.cpp
  src/ui/TrayIcon.cpp
  src/ui/WinText.cpp
)
target_link_libraries(QuorvaneWindowLayer PUBLIC QuorvaneCore ${QV_WIN_LIBS})
target_compile_options(QuorvaneWindowLayer PRIVATE ${QV_WARNINGS})

# The Win32 shell: everything of the program but its entry, so the Win32 tests create the real
# windows.
add_library(QuorvaneShell STATIC
  src/core/win32/MenuBarActions.cpp
  src/core/win32/MenuBarClipboard.cpp
  src/core/win32/MenuBarHotkeys.cpp
  src/core/win32/MenuBarLabels.cpp
  src/core/win32/MenuBarRowPictures.cpp
  src/core/win32/UnitMain.cpp
  src/core/win32/UnitMenuBar.cpp
  src/core/win32/Win32Clipboard.cpp
  src/core/win32/Win32Files.cpp
  src/core/win32/Win32Input.cpp
  src/core/win32/Win32Registry.cpp
  src/core/win32/Win32Shell.cpp
  src/core/win32/Win32Text.cpp
  src/menus/win32/MenuScrolling.cpp
  src/menus/win32/UnitHint.cpp
  src/menus/win32/UnitMenu.cpp
  src/menus/win32/UnitMenuHover.cpp
  src/menus/win32/UnitWideMenuItem.cpp
  src/menus/win32/UnitPopupMenu.cpp
  src/organize/win32/UnitNew.cpp
  src/organize/win32/UnitRename.cpp
  src/organize/win32/UnitMessage.cpp
  src/organize/win32/UnitOrg.cpp
  src/organize/win32/UnitViewMessage.cpp
  src/organize/win32/Win32FileDialogs.cpp
  src/settings/win32/UnitAbout.cpp
  src/settings/win32/UnitCheckForUpdate.cpp
  src/settings/win32/UnitLanguage.cpp
  src/settings/win32/UnitOptions.cpp
  src/core/win32/MainBlock.cpp
)
target_link_libraries(QuorvaneShell PUBLIC QuorvaneWindowLayer QuorvaneCore ${QV_WIN_LIBS})
target_compile_options(QuorvaneShell PRIVATE ${QV_WARNINGS})

add_executable(Quorvane WIN32 src/core/win32/Quorvane.cpp src/resources/Quorvane.rc)
target_link_libraries(Quorvane PRIVATE QuorvaneShell)
target_link_options(Quorvane PRIVATE -municode)
target_compile_options(Quorvane PRIVATE ${QV_WARNINGS})

# The test environment records the windows before start-up and runs it; the tests pass in any
# order, so the test command runs them in a new order each time (the seed is in the output:
# --gtest_random_seed=N repeats an order).
add_executable(QuorvaneWin32Tests
  src/resources/Quorvane.rc
  tests/win32/ClipboardViewerTest.cpp
  tests/win32/ContextMenuTest.cpp
  tests/support/FileDialogWindows.cpp
  tests/support/UserState.cpp
  tests/win32/DialogLayerTest.cpp
  tests/win32/DropDownMenuTest.cpp
  tests/win32/Environment.cpp
  tests/win32/FileDialogsTest.cpp
  tests/win32/FilesTest.cpp
  tests/win32/HintWindowTest.cpp
  tests/win32/HotkeyPasteTest.cpp
  tests/win32/LanguageTest.cpp
  tests/win32/MenuBarTest.cpp
  tests/win32/Md5Test.cpp
  tests/win32/NameDialogTest.cpp
  tests/win32/NewChooserTest.cpp
  tests/win32/ModalDriver.cpp
  tests/win32/MessageEditorTest.cpp
  tests/win32/OptionsWindowTest.cpp
  tests/win32/OrganizeWindowTest.cpp
  tests/win32/SubmenuTest.cpp
  tests/win32/UiLayerTest.cpp
  tests/win32/UpdateCheckTest.cpp
  tests/win32/ViewerAndAboutTest.cpp
  tests/support/FakeUpdateServer.cpp
  tests/win32/WindowsTest.cpp
)
target_link_libraries(QuorvaneWin32Tests PRIVATE QuorvaneShell GTest::gtest_main)
target_include_directories(QuorvaneWin32Tests PRIVATE tests/support)
# The fake update server's script and the folder of its port and log files.
set(QV_TEST_PATHS QV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QV_BINARY_DIR="${CMAKE_BINARY_DIR}")
target_compile_definitions(QuorvaneWin32Tests PRIVATE ${QV_TEST_PATHS})
target_compile_options(QuorvaneWin32Tests PRIVATE ${QV_WARNINGS})
# A run passes only when the test program printed its own final summary, with no failure and
# with exit code 0 (which the regular expressions alone would ignore): a program that ends early,
# or whose output goes silent, while its exit code still says success never counts as passed.
set(QV_GTEST_FINISHED "\\[  PASSED  \\] [0-9]+ tests?\\.")
set(QV_GTEST_FAILED "\\[  FAILED  \\]|wine-run: exit code [1-9]")
add_test(NAME Win32Tests COMMAND QuorvaneWin32Tests --gtest_shuffle)
set_tests_properties(Win32Tests PROPERTIES TIMEOUT 300 PASS_REGULAR_EXPRESSION "${QV_GTEST_FINISHED}"
                                           FAIL_REGULAR_EXPRESSION "${QV_GTEST_FAILED}")

add_executable(QuorvaneE2E
  tests/e2e/ClipboardTest.cpp
  tests/e2e/ContextMenuTest.cpp
  tests/e2e/DataFileFixture.cpp
  tests/e2e/DataFileTest.cpp
  tests/e2e/Driver.cpp
  tests/e2e/DropDownTest.cpp
  tests/e2e/Environment.cpp
  tests/e2e/HotkeyPasteTest.cpp
  tests/e2e/ImportExportTest.cpp
  tests/e2e/LanguageTest.cpp
  tests/e2e/MenuBarTest.cpp
  tests/e2e/NewItemsTest.cpp
  tests/e2e/OrganizeTest.cpp
  tests/e2e/StartupTest.cpp
  tests/e2e/SubmenuTest.cpp
  tests/e2e/UpdateCheckTest.cpp
  tests/e2e/UserForm.cpp
  tests/e2e/UserInput.cpp
  tests/support/FakeUpdateServer.cpp
  tests/support/FileDialogWindows.cpp
  tests/support/UserState.cpp
)
target_link_libraries(QuorvaneE2E PRIVATE QuorvaneCore GTest::gtest_main ${QV_WIN_LIBS})
target_include_directories(QuorvaneE2E PRIVATE tests/support)
target_compile_definitions(QuorvaneE2E PRIVATE ${QV_TEST_PATHS})
target_compile_options(QuorvaneE2E PRIVATE ${QV_WARNINGS})
add_dependencies(QuorvaneE2E Quorvane)
add_test(NAME EndToEnd COMMAND QuorvaneE2E)
set_tests_properties(EndToEnd PROPERTIES TIMEOUT 600 PASS_REGULAR_EXPRESSION "${QV_GTEST_FINISHED}"
                                         FAIL_REGULAR_EXPRESSION "${QV_GTEST_FAILED}")

# The data file's speed on a real file system; built with the rest, run by hand (scripts/bench.sh),
# not by ctest.
add_executable(QuorvaneWineFileBench
  benchmarks/Collection.cpp
  benchmarks/WineFileBench.cpp
)
target_link_libraries(QuorvaneWineFileBench PRIVATE QuorvaneShell psapi)
target_include_directories(QuorvaneWineFileBench PRIVATE benchmarks tests/native)
target_compile_options(QuorvaneWineFileBench PRIVATE ${QV_WARNINGS})

# A menu window's rebuild and first paint beside an owner-drawn list box; built with the
# rest, run by hand (scripts/bench.sh), not by ctest.
add_executable(QuorvaneWineMenuBench benchmarks/WineMenuBench.cpp tests/support/UserState.cpp)
target_link_libraries(QuorvaneWineMenuBench PRIVATE QuorvaneShell)
target_include_directories(QuorvaneWineMenuBench PRIVATE benchmarks tests/support)
target_compile_options(QuorvaneWineMenuBench PRIVATE ${QV_WARNINGS})

# Opening Organize on a large collection and deleting many list items under Wine; built
# with the rest, run by hand (scripts/bench.sh), not by ctest.
add_executable(QuorvaneWineOrganizeBench benchmarks/WineOrganizeBench.cpp tests/support/UserState.cpp)
target_link_libraries(QuorvaneWineOrganizeBench PRIVATE QuorvaneShell)
target_include_directories(QuorvaneWineOrganizeBench PRIVATE benchmarks tests/support)
target_compile_options(QuorvaneWineOrganizeBench PRIVATE ${QV_WARNINGS})

# The hotkey paste's press-to-text time for the real program, started as the end-to-end tests
# start it, beside a bare clipboard-plus-Ctrl+V program; built with the rest, run by hand
# (scripts/bench.sh), not by ctest.
add_executable(BarePaste benchmarks/BarePaste.cpp)
target_link_libraries(BarePaste PRIVATE user32 kernel32)
target_link_options(BarePaste PRIVATE -municode)
target_compile_options(BarePaste PRIVATE ${QV_WARNINGS})
add_executable(QuorvaneWineHotkeyBench
  benchmarks/WineHotkeyBench.cpp
  tests/e2e/DataFileFixture.cpp
  tests/e2e/Driver.cpp
  tests/e2e/UserForm.cpp
  tests/e2e/UserInput.cpp
  tests/support/FakeUpdateServer.cpp
  tests/support/UserState.cpp
)
target_link_libraries(QuorvaneWineHotkeyBench PRIVATE QuorvaneCore ${QV_WIN_LIBS})
target_include_directories(QuorvaneWineHotkeyBench PRIVATE tests/e2e tests/support)
target_compile_definitions(QuorvaneWineHotkeyBench PRIVATE ${QV_TEST_PATHS})
target_compile_options(QuorvaneWineHotkeyBench PRIVATE ${QV_WARNINGS})
add_dependencies(QuorvaneWineHotkeyBench Quorvane BarePaste)

# The manifest carries the project version; the resource compiler finds it on the include path.
configure_file(src/resources/Quorvane.manifest.in ${CMAKE_BINARY_DIR}/generated/Quorvane.manifest @ONLY)
# The resource compiler reads these files; a change to any of them rebuilds the resources.
file(GLOB QV_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.bmp
     ${CMAKE_SOURCE_DIR}/src/resources/*.ico ${CMAKE_SOURCE_DIR}/src/resources/*.txt)
list(APPEND QV_RESOURCE_FILES ${CMAKE_BINARY_DIR}/generated/Quorvane.manifest
     ${CMAKE_BINARY_DIR}/generated/core/Version.h)
set_source_files_properties(src/resources/Quorvane.rc PROPERTIES OBJECT_DEPENDS "${QV_RESOURCE_FILES}")
