# SPDX-License-Identifier: GPL-3.0-or-later
# The whole-process end: tst_endprocess starts endprocess_child, a game whose End is the real
# endProcess, and reads what it printed and stored. Standard C++ only (std::system), so it runs
# wherever the other core tests run; the child is started by name from its own folder.
add_executable(endprocess_child endprocess/endprocess_child.cpp)
target_link_libraries(endprocess_child PRIVATE angoli_testsupport)
angoli_test(tst_endprocess SOURCES tst_endprocess.cpp)
add_dependencies(tst_endprocess endprocess_child)
target_compile_definitions(tst_endprocess PRIVATE
    ANGOLI_ENDPROCESS_CHILD="$<TARGET_FILE_NAME:endprocess_child>")
set_tests_properties(tst_endprocess PROPERTIES
    WORKING_DIRECTORY $<TARGET_FILE_DIR:endprocess_child>)
