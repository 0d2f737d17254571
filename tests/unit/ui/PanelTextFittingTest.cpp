// The floating panels fit their texts whatever the desktop's font: no label or button is
// squeezed below what its text needs.
#include "domain/Screen.h"
#include "ui/capture/ScrollingCaptureHUD.h"
#include "ui/capture/ScrollingStepPrompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoro/QCoroTask>
#include <QLabel>
#include <QLayout>

#include <gtest/gtest.h>

namespace {

// Texts that do not fit, as "class 'text'", for the failure message.
QStringList cutTexts(QWidget& window)
{
    window.layout()->activate();
    QStringList cut;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                            : label->width() >= label->minimumSizeHint().width();
        if (!label->text().isEmpty() && !fits)
            cut << QStringLiteral("label '%1'").arg(label->text());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->width() < button->sizeHint().width())
            cut << QStringLiteral("button '%1'").arg(button->text());
    }
    return cut;
}

class PanelTextFittingTest : public testing::TestWithParam<double> {
protected:
    void SetUp() override
    {
        m_font = QApplication::font();
        QFont scaled = m_font;
        scaled.setPointSizeF(m_font.pointSizeF() * GetParam());
        QApplication::setFont(scaled);
    }
    void TearDown() override { QApplication::setFont(m_font); }

    Screen screen() const
    {
        Screen screen;
        screen.frame = screen.visibleFrame = QRectF(0, 0, 1440, 900);
        screen.nativeGeometry = QRect(0, 0, 1440, 900);
        screen.scaleFactor = 1;
        return screen;
    }

private:
    QFont m_font;
};

} // namespace

TEST_P(PanelTextFittingTest, StepPromptFitsItsTexts)
{
    for (const auto direction : { ScrollingCaptureDirection::down, ScrollingCaptureDirection::up }) {
        for (const int step : { 2, 12 }) {
            SCOPED_TRACE(testing::Message()
                << "step " << step << (direction == ScrollingCaptureDirection::up ? " up" : " down"));
            ScrollingStepPrompt prompt;
            QCoro::Task<ScrollingCaptureDecision> decision = prompt.present(step, direction, screen());
            const QStringList cut = cutTexts(*prompt.window());
            EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
            EXPECT_GE(prompt.window()->width(), ScrollingStepPrompt::panelSize.width());
            // The decision resumes its waiter a turn later, while the prompt still exists.
            prompt.resolve(ScrollingCaptureDecision::cancel);
            QCoreApplication::processEvents();
            EXPECT_TRUE(decision.isReady());
        }
    }
}

TEST_P(PanelTextFittingTest, HUDFitsItsTexts)
{
    ScrollingCaptureHUD hud(screen(), nullptr);
    hud.update({ QStringLiteral("Scrolling Capture (Up)"),
        QStringLiteral("Trying a more direct scroll input for the first automatic step..."), 128 });
    hud.orderFrontRegardless();
    const QStringList cut = cutTexts(*hud.window());
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(", ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(DesktopFontScales, PanelTextFittingTest, testing::Values(1.0, 2.0));
