// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A long test program split into shares that ctest runs side by side: most of its time is spent
// waiting for the virtual meter, so two or three shares end in a half or a third of the time.
// tests/CMakeLists.txt names the functions of each share but the last, which runs the rest, so a
// new test function always runs. Run by hand the program runs whole, as usual.

#include <QApplication>
#include <QTest>

namespace veltrix::test {

// Runs the test functions of `test`: those named in VELTRIX_TEST_FUNCTIONS, or all but those
// named in VELTRIX_TEST_SKIP (names separated by blanks), or else all of them.
int runShare(QObject* test, int argc, char** argv);

} // namespace veltrix::test

// QTEST_MAIN, with shares.
#define VELTRIX_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char** argv)                                                              \
    {                                                                                            \
        QApplication app(argc, argv);                                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                 \
        TestObject tc;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        return veltrix::test::runShare(&tc, argc, argv);                                         \
    }
