// Test entry point: a QApplication exists for every test, so fonts, pixmaps, the
// clipboard and event loops behave as in the application.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
