# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles one snippet for syntax only. Without EXPECT it must compile; with EXPECT it must fail,
# with EXPECT named in the compiler's diagnostic (the function whose call makes the error).
# cmake -DCOMPILER=... -DREPO=... -DSOURCE=... [-DEXPECT=...] -P check.cmake
execute_process(
    COMMAND ${COMPILER} -std=c++20 -fsyntax-only -I${REPO} ${SOURCE}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT EXPECT)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${SOURCE} should compile but does not:\n${output}")
    endif()
    message(STATUS "${SOURCE} compiles")
    return()
endif()
if(status EQUAL 0)
    message(FATAL_ERROR "${SOURCE} compiles, but should fail with ${EXPECT}")
endif()
string(FIND "${output}" "error" hasError)
string(FIND "${output}" "${EXPECT}" hasExpected)
if(hasError EQUAL -1 OR hasExpected EQUAL -1)
    message(FATAL_ERROR "${SOURCE} fails, but not with an error naming ${EXPECT}:\n${output}")
endif()
message(STATUS "${SOURCE} fails with ${EXPECT}, as it should")
