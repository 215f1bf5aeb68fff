# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a real X window: realwindow/play.py starts its own
# Xvfb and openbox and plays one short game with xdotool. It runs with Debian's
# python3 (python3-pil), whatever python3 comes first on PATH, and without the
# offscreen platform of the other tests.
set(ANGOLI_ARTIFACTS_DIR ${CMAKE_BINARY_DIR}/artifacts)
add_test(NAME realwindow
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/realwindow/play.py
            $<TARGET_FILE:angoli> --artifacts ${ANGOLI_ARTIFACTS_DIR})
set_tests_properties(realwindow PROPERTIES
    TIMEOUT 240
    # Xvfb picks a free display itself, but one game at a time keeps the
    # machine's two cores free for the clicks and screenshots to keep pace.
    RUN_SERIAL TRUE
    LABELS window)
