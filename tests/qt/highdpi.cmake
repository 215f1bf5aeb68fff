# SPDX-License-Identifier: GPL-3.0-or-later
# tst_highdpi runs at twice the pixel density; the other tests keep the environment that
# CMakeLists.txt gives them.
if(TEST tst_highdpi)
    set_tests_properties(tst_highdpi PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_SCALE_FACTOR=2")
endif()
