#include "AppStateFixture.h"

TEST_F(AppStateTest, LoadingResetsTheDocumentButKeepsTheToolChoices)
{
    state.loadImageIntoEditor(solidImage({ 40, 40 }, Qt::white), QStringLiteral("first"), false);
    state.selectedTool.set(AnnotationTool::callout);
    state.handlePointTool({ 5, 5 });
    drag(AnnotationTool::crop, { 0, 0 }, { 20, 20 });
    state.backdropEnabled.set(true);
    state.zoomIn();
    state.resizePercent.set(QStringLiteral("50"));
    state.strokeColor.set(Qt::green);

    const Image second = solidImage({ 1440, 900 }, Qt::black);
    state.loadImageIntoEditor(second, QStringLiteral("Captured screen"), false);

    EXPECT_EQ(state.baseImage(), second);
    EXPECT_TRUE(state.annotations().empty());
    EXPECT_FALSE(state.cropSelection());
    EXPECT_FALSE(state.backdropEnabled());
    EXPECT_EQ(state.nextCalloutNumber(), 1);
    EXPECT_EQ(state.zoomBehavior(), ZoomBehavior::fit);
    EXPECT_EQ(state.zoomScale(), 1.0);
    EXPECT_EQ(state.resizePercent(), QStringLiteral("100"));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Captured screen"));
    EXPECT_EQ(state.currentImageSizeLabel(), QStringLiteral("1440 \u00D7 900"));

    EXPECT_EQ(state.selectedTool(), AnnotationTool::crop);
    EXPECT_EQ(state.strokeColor(), QColor(Qt::green));
}

TEST_F(AppStateTest, RevealingRemembersTheApplicationWeCameFromAndAClipboardImageOpensRevealed)
{
    FakeEditorWindow window;
    state.setEditorWindow(&window);
    workspace.frontmost = RunningApplication { 42, QStringLiteral("firefox"), QStringLiteral("Firefox") };
    state.loadImageIntoEditor(solidImage({ 10, 10 }, Qt::white), QStringLiteral("x"), false);
    EXPECT_TRUE(workspace.policies.empty()) << "loading without revealing leaves presence alone";
    EXPECT_EQ(window.broughtToFront, 0);
    EXPECT_FALSE(state.previousActiveApp());

    state.loadImageIntoEditor(solidImage({ 10, 10 }, Qt::white), QStringLiteral("x"), true);
    EXPECT_EQ(state.previousActiveApp()->processId, 42);
    EXPECT_EQ(workspace.policies, std::vector { ActivationPolicy::regular });
    EXPECT_EQ(workspace.activations, 1);
    EXPECT_EQ(window.broughtToFront, 1);

    // With ourselves in front, the remembered application stays.
    workspace.frontmost = RunningApplication { 7, QStringLiteral("trovix"), QStringLiteral("Trovix") };
    state.loadImageIntoEditor(solidImage({ 10, 10 }, Qt::white), QStringLiteral("x"), true);
    EXPECT_EQ(state.previousActiveApp()->processId, 42);

    const int activations = workspace.activations;
    clipboard.image = solidImage({ 30, 20 }, Qt::red);
    state.loadFromClipboard();
    EXPECT_EQ(state.baseImage(), clipboard.image);
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Loaded image from clipboard"));
    EXPECT_GT(workspace.activations, activations) << "revealed";

    const Image before = *state.baseImage();
    clipboard.image = std::nullopt;
    state.loadFromClipboard();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Clipboard does not contain an image"));
    EXPECT_EQ(state.baseImage(), before);

    clipboard.image = Image(); // a null image is no image either
    state.loadFromClipboard();
    EXPECT_EQ(state.baseImage(), before);

    clipboard.readError = ImageIOError(ImageIOError::Code::imageTooLarge);
    state.loadFromClipboard();
    EXPECT_EQ(state.errorMessage(), QStringLiteral("Obraz jest zbyt duży, by go otworzyć."));
    EXPECT_EQ(state.baseImage(), before);
}
