#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <memory>

namespace RenderTest {

namespace {

std::unique_ptr<QGuiApplication>& ownApplication()
{
    static std::unique_ptr<QGuiApplication> application;
    return application;
}

class GuiApplicationOwner : public testing::Environment {
public:
    void TearDown() override { ownApplication().reset(); }
};

[[maybe_unused]] testing::Environment* const owner = testing::AddGlobalTestEnvironment(new GuiApplicationOwner);

} // namespace

void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "unit_engine";
    static char* argv[] = { name, nullptr };
    ownApplication() = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace RenderTest
