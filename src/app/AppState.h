#pragma once

#include "app/EditHistory.h"
#include "app/Observable.h"
#include "domain/AnnotationShape.h"
#include "domain/AnnotationTool.h"
#include "domain/Image.h"
#include "domain/RunningApplication.h"
#include "domain/ZoomBehavior.h"
#include "ports/ApplicationWindowsPort.h"
// ---- Scrolling capture ----
#include "domain/ScreenCaptureSelection.h"
#include "domain/ScrollingCaptureDirection.h"
#include "ports/ScrollingCapturePanelsPort.h"

#include <QCoro/QCoroTask>

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QUuid>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AppSettings;
class ClipboardPort;
class Clock;
class DialogsPort;
class PinnedWindowsPort;
class PasteboardImageProvider;
class EditorWindowPort;
class WorkspacePort;
class ScreenshotService;
class AreaSelectionPort;
class TrovixError;
class InputSynthesisPort;

// The outside world as the application state sees it.
struct AppStatePorts {
    ClipboardPort& clipboard;
    WorkspacePort& workspace;
    DialogsPort& dialogs;
    PinnedWindowsPort& pinnedWindows;
    Clock& clock;

    // ---- Capture workflows (AppStateCapture*.cpp) ----
    ScreenshotService& screenshots;
    AreaSelectionPort& areaSelection;
    // Our own windows, hidden while the screen is read.
    ApplicationWindowsPort& applicationWindows;

    // ---- Scrolling capture (AppStateScrolling.cpp) ----
    // Without input synthesis the automatic mode fails as unable to scroll; without panels the
    // manual mode ends as cancelled and the automatic one runs without its display.
    InputSynthesisPort* inputSynthesis = nullptr;
    ScrollingCapturePanelsPort* scrollingPanels = nullptr;
};

// The one state object of the application: the open document, the tool and style
// choices, the zoom, and the two texts that report every outcome. Lives on the main
// thread. Its commands are spread over files by subject (AppState*.cpp).
class AppState : public QObject {
    Q_OBJECT
public:
    AppState(AppSettings& settings, AppStatePorts ports, QObject* parent = nullptr);
    ~AppState() override;

    AppSettings& settings;

    // Observable fields.
    Observable<std::optional<Image>> baseImage;
    Observable<std::vector<AnnotationShape>> annotations;
    Observable<AnnotationTool> selectedTool { AnnotationTool::select };
    Observable<QColor> strokeColor { QColor(0xFF, 0x3B, 0x30) };
    Observable<double> lineWidth { 4.0 };
    Observable<double> textSize { 28.0 };
    Observable<QString> textDraft { QStringLiteral("Text") };
    Observable<bool> backdropEnabled { false };
    Observable<double> zoomScale { 1.0 };
    Observable<ZoomBehavior> zoomBehavior { ZoomBehavior::fit };
    Observable<QString> resizePercent { QStringLiteral("100") };
    Observable<std::optional<QString>> errorMessage;
    Observable<QString> statusMessage { QStringLiteral("Ready for a capture") };
    Observable<QString> recognizedText;
    Observable<QStringList> recognizedCodes;
    Observable<bool> isShowingOCRSheet { false };
    Observable<QString> lastPickedColorHex { QStringLiteral("#FF3B30") };
    Observable<std::optional<QRectF>> cropSelection;
    Observable<bool> isCaptureTransitionActive { false };
    // Text recognition runs for seconds on a worker thread; the editor shows progress meanwhile.
    Observable<bool> isRecognizingText { false };

    // Canvas gestures, all in image space.
    void addDragAnnotation(QPointF from, QPointF to, const std::vector<QPointF>& points);
    void handlePointTool(QPointF point);
    void updateMagnifierFocus(const QUuid& id, QPointF point);
    void updateArrow(const QUuid& id, QPointF start, QPointF end);

    void addTextAnnotation(QPointF point);
    void sampleColor(QPointF point);
    void removeLastAnnotation();
    // The gesture that moved an arrow or a magnifier's focus ended: its moves were one edit.
    void finishAnnotationAdjustment() { m_history.closeGesture(); }

    // Every edit of the document is one step back (AppStateHistory.cpp).
    void undo();
    void redo();
    // The names of the steps undo and redo would take ("Add Arrow"); none when there is none.
    Observable<std::optional<QString>> undoStepName;
    Observable<std::optional<QString>> redoStepName;
    [[nodiscard]] const EditHistory& history() const { return m_history; }

    void loadImageIntoEditor(const Image& image, const QString& status, bool revealEditor);
    void loadFromClipboard();
    // Brings the editor in front, remembering the application the user came from.
    void showEditor() { bringEditorForward(); }

    [[nodiscard]] QString strokeColorHex() const;
    [[nodiscard]] QString currentImageSizeLabel() const;
    [[nodiscard]] qint64 nextCalloutNumber() const { return m_nextCalloutNumber; }

    // The picture that leaves the editor (AppStateExport.cpp); none without an image.
    [[nodiscard]] std::optional<Image> renderedImage(bool includeBackdrop) const;
    void copyCurrentImage();
    // Throws ImageIOError when the clipboard refuses the image.
    void copyImageToPasteboard(const Image& image);
    void exportImage();
    void pinCurrentImage();
    // A free file path in the screenshots folder; throws FileSystemError.
    [[nodiscard]] QString nextAutoSaveURL();
    void handleEditorEscape();
    void hideEditorToMenubar(const std::optional<QString>& statusMessageOverride);
    void updateActivationPolicyForCurrentVisibility();

    // Sends the picture to the user's server and copies the returned link (AppStateUpload.cpp).
    QCoro::Task<> uploadCurrentImage();
    // Reads the picture's text and QR codes; a request while one runs is ignored (AppStateRecognition.cpp).
    QCoro::Task<> recognizeText();

    // Commands that replace the open image (AppStateImageCommands.cpp).
    void openImage();
    void applyCropSelection();
    void applyResize();
    // Throws ImageIOError when the images cannot be stacked.
    void appendCaptureToCanvas(const Image& image);

    // How long an upload may wait in silence for the server; tests shorten it.
    void setUploadTimeout(std::chrono::milliseconds timeout) { m_uploadTimeout = timeout; }

    void zoomIn();
    void zoomOut();
    void zoomToActualSize();
    [[nodiscard]] int zoomPercentage() const;
    void prepareImagePresentation();

    // The editor window is the one the user interface registered; without one, our window
    // titled "Trovix", else our first window, else none.
    static constexpr QLatin1StringView editorWindowTitle { "Trovix" };
    void setEditorWindow(EditorWindowPort* window) { m_editorWindow = window; }
    [[nodiscard]] EditorWindowPort* editorWindow() const;
    void fitEditorWindowToImage();

    [[nodiscard]] const std::optional<RunningApplication>& previousActiveApp() const { return m_previousActiveApp; }
    // What the application delegate saw last in front before us; the fallback for previousActiveApp.
    void setLastExternalApp(std::optional<RunningApplication> app) { m_lastExternalApp = std::move(app); }
    // Remembers the application in front when it is another one; called whenever we lose the focus.
    void captureCurrentExternalApp();

    // ---- Capture workflows (AppStateCapture*.cpp) ----
    // Each runs to its first wait and returns; awaiting it waits for the whole capture. A
    // request while another capture runs only answers "Capture is already in progress".
    QCoro::Task<> captureScreen();
    QCoro::Task<> captureArea();
    QCoro::Task<> captureActiveWindow();
    QCoro::Task<> captureAnyWindow();
    QCoro::Task<> addAreaCaptureToCanvas();
    QCoro::Task<> captureAfterDelay(double seconds);

    // Building blocks, shared with the scrolling capture.
    using CaptureOperation = std::function<QCoro::Task<Image>()>;
    // Given the windows hidden for the capture and whether the editor was one of them.
    using CaptureAction = std::function<QCoro::Task<>(QList<ApplicationWindow> hiddenWindows, bool editorWasVisible)>;
    // Work worth doing while the screen settles before a capture, such as readying a window.
    using SettlingWork = std::function<void()>;
    QCoro::Task<> startCaptureFlow(QString cancellationMessage, CaptureAction action, SettlingWork whileSettling = {});
    QCoro::Task<> captureImage(CaptureOperation operation, QString successMessage, QString cancellationMessage,
        bool hidesWindowsForCapture, SettlingWork whileSettling = {});
    QCoro::Task<> captureImageWithoutHidingWindows(
        CaptureOperation operation, QString successMessage, QString cancellationMessage);
    QCoro::Task<QList<ApplicationWindow>> prepareForCaptureTransition(SettlingWork whileSettling = {});
    void prepareAreaSelection();
    QList<ApplicationWindow> hideWindowsForCapture();
    void restoreWindows(const QList<ApplicationWindow>& windows, bool shouldShowEditor);
    void completeCaptureTransition(const QList<ApplicationWindow>& windows);
    [[nodiscard]] std::optional<std::int32_t> captureTargetApplicationPID() const;

    // Copies and saves a fresh capture as the settings ask, and says so in the status.
    void applyPostCaptureActions(const Image& image);
    void handleCaptureError(const TrovixError& error);

    // Recovery from a missing screen capture permission: a new instance is needed before a
    // newly granted permission counts.
    void presentScreenRecordingRestartAlert(
        const QString& messageText, const QString& informativeText, bool showsSettingsButton);
    void openScreenRecordingSettings();
    void relaunchApplication();
    // Connected to the application becoming active: the user may be back from the settings.
    void handleApplicationDidBecomeActive();
    [[nodiscard]] bool shouldPromptForScreenRecordingRestart() const { return m_shouldPromptForScreenRecordingRestart; }

    // ---- Scrolling capture (AppStateScrolling.cpp) ----
    // The user picks a rectangle; it is shot again and again while the content scrolls, by hand
    // with the step prompt or automatically, and the stitched picture opens in the editor. Runs
    // to its first wait and returns; awaiting it waits for the whole capture.
    QCoro::Task<> startScrollingCapture(ScrollingCaptureDirection direction);
    // Prompts for each further shot; throws ScreenshotError (cancelled when the user cancels).
    QCoro::Task<std::vector<Image>> continueScrollingCaptureManually(
        ScreenCaptureSelection selection, ScrollingCaptureDirection direction, std::vector<Image> captures);
    // One more shot, at the end of `captures` (down) or at its front (up).
    QCoro::Task<> captureScrollingSegment(
        ScreenCaptureSelection selection, ScrollingCaptureDirection direction, std::vector<Image>& captures);

private:
    [[nodiscard]] DocumentSnapshot documentSnapshot() const;
    void restoreDocument(DocumentSnapshot document);
    void recordEdit(const QString& name, std::optional<QUuid> gestureKey = std::nullopt);
    void showHistory();

    void appendAnnotation(AnnotationShape::Kind kind, AnnotationTool tool, const QString& status);
    [[nodiscard]] AnnotationStyle currentStyle() const;
    template <typename KindType, typename Change>
    void changeAnnotationKind(const QUuid& id, const QString& editName, Change&& change);
    void capturePreviousAppIfNeeded();
    void bringEditorForward();
    void replaceBaseImage(const Image& image, const QString& editName);
    void leaveEditor();
    void writePng(const Image& image, const QString& path);
    // The framed picture for an action that sends it out; none after reporting why in errorMessage.
    [[nodiscard]] std::optional<Image> pictureForExport();

    AppStatePorts m_ports;
    EditorWindowPort* m_editorWindow = nullptr;
    std::optional<RunningApplication> m_previousActiveApp;
    std::optional<RunningApplication> m_lastExternalApp;
    qint64 m_nextCalloutNumber = 1;
    EditHistory m_history;
    std::chrono::milliseconds m_uploadTimeout { std::chrono::seconds(60) };
    // Keeps the last copy's lazy clipboard data alive until the next copy.
    std::shared_ptr<const PasteboardImageProvider> m_activePasteboardImageProvider;

    // ---- Capture workflows ----
    QCoro::Task<Image> selectAndCaptureArea();
    [[nodiscard]] bool isEditorWindow(const ApplicationWindow& window) const;
    [[nodiscard]] bool includesEditorWindow(const QList<ApplicationWindow>& windows) const;
    bool m_shouldPromptForScreenRecordingRestart = false;

    // ---- Scrolling capture ----
    QCoro::Task<> captureScrollingManually(ScreenCaptureSelection selection, ScrollingCaptureDirection direction);
    QCoro::Task<> captureScrollingAutomatically(ScreenCaptureSelection selection, ScrollingCaptureDirection direction);
    void activateScrollingTarget();
    void closeScrollingHUD();
    // The progress display of the automatic run in progress.
    std::unique_ptr<ScrollingCaptureHUDPort> m_scrollingHUD;
};
