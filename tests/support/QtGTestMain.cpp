// main() for GoogleTest suites that need a Qt application and its event loop.
#include <QApplication>
#include <clocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build does to register them) needs no window system.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    // libmpv needs the C numeric locale, set after the application object exists.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
