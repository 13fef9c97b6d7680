// The main of the tests that need Qt: Qt Gui's screens and fonts, or, with
// QR_TEST_WIDGETS, a widget application as the player has.
#ifdef QR_TEST_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
#include <QGuiApplication>
using Application = QGuiApplication;
#endif
#include <gtest/gtest.h>

#include <clocale>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char **argv)
{
    Application app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
    // Leaks are looked for while the application still holds the libraries it
    // loaded: Mesa's driver goes with it, and a leak of the driver's own would
    // then name no library that a suppression could match.
    __lsan_do_leak_check();
#endif
    return result;
}
