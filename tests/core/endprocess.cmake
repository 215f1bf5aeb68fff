# The child program of tst_endprocess: one game on scripted dialogs with the
# real ProcessEnd, so that the end of the game really ends a process.
add_executable(endprocess_child ${CMAKE_CURRENT_SOURCE_DIR}/endprocess/endprocess_child.cpp)
target_link_libraries(endprocess_child PRIVATE angoli_testsupport)
add_dependencies(tst_endprocess endprocess_child)
target_compile_definitions(tst_endprocess PRIVATE
    ANGOLI_ENDPROCESS_CHILD="$<TARGET_FILE:endprocess_child>")
