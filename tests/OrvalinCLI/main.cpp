#include <QCoreApplication>
#include <gtest/gtest.h>

// The tests start processes and use Qt's file classes, which want an application object.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
