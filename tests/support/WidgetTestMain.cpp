// Tests of the windows: a widget application, as the player has.
#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
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
