#include "ui/editor/CanvasViewport.h"

#include "app/AppState.h"
#include "ui/editor/AnnotationCanvas.h"

#include <QNativeGestureEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace Rules = ViewportZoomRules;

namespace {

constexpr int overlayScrollBarThickness = 12;
// One notch of the wheel (120 eighths of a degree) zooms as far as one Zoom In.
constexpr double wheelNotch = 120;
constexpr double zoomStepPerNotch = 1.2;
constexpr const char* overlayScrollBarStyle = R"(
    QScrollBar { background: transparent; margin: 3px; }
    QScrollBar::handle { background: rgba(0, 0, 0, 90); border-radius: 3px; }
    QScrollBar::handle:hover, QScrollBar::handle:pressed { background: rgba(0, 0, 0, 140); }
    QScrollBar::handle:horizontal { min-width: 28px; }
    QScrollBar::handle:vertical { min-height: 28px; }
    QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
    QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

} // namespace

CanvasViewport::CanvasViewport(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_scrollArea(new QScrollArea(this))
    , m_canvas(new AnnotationCanvas)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setAlignment(Qt::AlignCenter);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setBackgroundRole(QPalette::Window);
    m_scrollArea->setWidget(m_canvas);
    installOverlayScrollBars();
    m_scrollArea->viewport()->installEventFilter(this);
    m_canvas->installEventFilter(this);

    m_canvas->setCallbacks({
        [this](QPointF start, QPointF end, const std::vector<QPointF>& points) {
            m_state.addDragAnnotation(start, end, points);
        },
        [this](QPointF point) { m_state.handlePointTool(point); },
        [this](const QUuid& id, QPointF focus) { m_state.updateMagnifierFocus(id, focus); },
        [this](const QUuid& id, QPointF start, QPointF end) { m_state.updateArrow(id, start, end); },
        [this] { m_state.finishAnnotationAdjustment(); },
    });
    connectContent();
    connectLayout();
    scheduleLayout();
}

CanvasViewport::~CanvasViewport() = default;

void CanvasViewport::connectContent()
{
    const auto follow = [this](ObservableNotifier& field, auto push) {
        connect(&field, &ObservableNotifier::changed, m_canvas, push);
        push();
    };
    follow(m_state.baseImage, [this] { m_canvas->setImage(m_state.baseImage()); });
    follow(m_state.annotations, [this] { m_canvas->setAnnotations(m_state.annotations()); });
    follow(m_state.cropSelection, [this] { m_canvas->setCropSelection(m_state.cropSelection()); });
    follow(m_state.selectedTool, [this] { m_canvas->setSelectedTool(m_state.selectedTool()); });
    follow(m_state.textDraft, [this] { m_canvas->setTextDraft(m_state.textDraft()); });
    follow(m_state.textSize, [this] { m_canvas->setTextSize(m_state.textSize()); });
    follow(m_state.lastPickedColorHex, [this] { m_canvas->setPickedColorHex(m_state.lastPickedColorHex()); });
}

void CanvasViewport::connectLayout()
{
    for (ObservableNotifier* field :
        std::array<ObservableNotifier*, 3> { &m_state.baseImage, &m_state.zoomScale, &m_state.zoomBehavior })
        connect(field, &ObservableNotifier::changed, this, &CanvasViewport::scheduleLayout);
}

void CanvasViewport::setInteractionEnabled(bool enabled)
{
    m_canvas->setInteractionEnabled(enabled);
}

double CanvasViewport::magnification() const
{
    return m_canvas->magnification();
}

QRectF CanvasViewport::visibleCanvasRect() const
{
    const QWidget* viewport = m_scrollArea->viewport();
    const QRect visible
        = QRect(m_canvas->mapFrom(viewport, QPoint(0, 0)), viewport->size()).intersected(m_canvas->rect());
    const double z = m_canvas->magnification();
    return QRectF(QPointF(visible.topLeft()) / z, QSizeF(visible.size()) / z);
}

const Image* CanvasViewport::shownImage() const
{
    const std::optional<Image>& image = m_state.baseImage();
    return image && !image->isNull() ? &*image : nullptr;
}

void CanvasViewport::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeOverlayScrollBars();
    scheduleLayout();
}

// The scroll bars float over the canvas's margin instead of taking room from the visible
// area: room they took would change the area whenever they came and went, so a fitted image
// would no longer fit, or the fit would chase the scroll bars.
void CanvasViewport::installOverlayScrollBars()
{
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto mirror = [this](QScrollBar* inner, QScrollBar* overlay) {
        overlay->setStyleSheet(QString::fromLatin1(overlayScrollBarStyle));
        connect(inner, &QScrollBar::rangeChanged, overlay, [overlay](int minimum, int maximum) {
            overlay->setRange(minimum, maximum);
            overlay->setVisible(maximum > minimum);
        });
        connect(inner, &QScrollBar::valueChanged, overlay, &QScrollBar::setValue);
        connect(overlay, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
        overlay->hide();
    };
    m_horizontalOverlay = new QScrollBar(Qt::Horizontal, this);
    m_verticalOverlay = new QScrollBar(Qt::Vertical, this);
    mirror(m_scrollArea->horizontalScrollBar(), m_horizontalOverlay);
    mirror(m_scrollArea->verticalScrollBar(), m_verticalOverlay);
}

void CanvasViewport::placeOverlayScrollBars()
{
    const int thickness = overlayScrollBarThickness;
    m_horizontalOverlay->setGeometry(0, height() - thickness, width() - thickness, thickness);
    m_verticalOverlay->setGeometry(width() - thickness, 0, thickness, height() - thickness);
    m_horizontalOverlay->raise();
    m_verticalOverlay->raise();
}

void CanvasViewport::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    scheduleLayout();
}

void CanvasViewport::scheduleLayout()
{
    if (m_layoutScheduled)
        return;
    m_layoutScheduled = true;
    QMetaObject::invokeMethod(this, &CanvasViewport::settleLayout, Qt::QueuedConnection);
}

QSizeF CanvasViewport::stableViewportSize() const
{
    const std::array<QSizeF, 3> candidates {
        QSizeF(m_scrollArea->viewport()->size()),
        QSizeF(m_scrollArea->contentsRect().size()),
        QSizeF(size()),
    };
    return Rules::stableViewportSize(candidates);
}

void CanvasViewport::settleLayout()
{
    m_layoutScheduled = false;
    // Scroll ranges follow the canvas only while shown; showing schedules this again.
    if (!isVisible())
        return;
    const Image* image = shownImage();
    const std::optional<QSizeF> imageSize = image ? std::optional(image->size()) : std::nullopt;
    const QSizeF viewport = stableViewportSize();
    const double zoom = Rules::resolvedZoomScale(viewport, imageSize, m_state.zoomBehavior(), m_state.zoomScale());
    const Rules::CanvasGeometry geometry = Rules::canvasGeometry(viewport, imageSize, zoom);
    if (Rules::differsNoticeably(QRectF(QPointF(), m_canvas->canvasSize()), QRectF(QPointF(), geometry.canvasSize)))
        m_canvas->setCanvasSize(geometry.canvasSize);
    if (Rules::differsNoticeably(m_canvas->imageFrame(), geometry.imageFrame))
        m_canvas->setImageFrame(geometry.imageFrame);

    const Rules::ZoomDecision decision = m_coordinator.decide({
        image ? std::optional(image->identity()) : std::nullopt,
        imageSize.value_or(Rules::emptyImageSize),
        viewport,
        m_state.zoomBehavior(),
        m_state.zoomScale(),
    });
    if (decision.apply)
        applyZoom(zoom, geometry.canvasSize, decision.recenter);
}

void CanvasViewport::applyZoom(double target, QSizeF canvasSize, bool recenter)
{
    if (!m_coordinator.beginApplying())
        return;
    const QPointF canvasCentre(canvasSize.width() / 2, canvasSize.height() / 2);
    if (std::abs(m_canvas->magnification() - target) > 0.001) {
        const QPointF centre = recenter ? canvasCentre : visibleCanvasRect().center();
        m_canvas->setMagnification(target);
        scrollToCentre(centre);
    } else if (recenter) {
        scrollToCentre(canvasCentre);
    }
    writeBackZoomScale(target);
    m_coordinator.finishApplying();
}

void CanvasViewport::scrollToCentre(QPointF canvasPoint)
{
    const QWidget* viewport = m_scrollArea->viewport();
    const double z = m_canvas->magnification();
    m_scrollArea->horizontalScrollBar()->setValue(int(std::lround(canvasPoint.x() * z - viewport->width() / 2.0)));
    m_scrollArea->verticalScrollBar()->setValue(int(std::lround(canvasPoint.y() * z - viewport->height() / 2.0)));
}

// Deferred: the field is read by the very update that is running, and a command issued
// before the write lands (a zoom step, a new image) must win over the stale value.
void CanvasViewport::writeBackZoomScale(double target)
{
    const double current = m_state.zoomScale();
    const std::optional<double> value = Rules::zoomScaleWriteBack(shownImage() != nullptr, target, current);
    if (!value)
        return;
    QTimer::singleShot(0, this, [this, written = *value, current] {
        if (m_state.zoomScale() == current)
            m_state.zoomScale.set(written);
    });
}

bool CanvasViewport::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return QWidget::eventFilter(watched, event);
    const auto inViewport
        = [&](QPointF position) { return QPointF(m_scrollArea->viewport()->mapFrom(widget, position.toPoint())); };
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!wheel->modifiers().testFlag(Qt::ControlModifier))
            return QWidget::eventFilter(watched, event);
        // Ctrl may turn a vertical wheel into a horizontal one on some desktops.
        const QPoint delta = wheel->angleDelta();
        const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / wheelNotch;
        zoomAround(inViewport(wheel->position()), std::pow(zoomStepPerNotch, notches));
        return true;
    }
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture)
            return QWidget::eventFilter(watched, event);
        // The value is the change of scale since the previous event of the pinch.
        zoomAround(inViewport(gesture->position()), 1.0 + gesture->value());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CanvasViewport::zoomAround(QPointF viewportPosition, double factor)
{
    const Image* image = shownImage();
    if (!image || !std::isfinite(factor) || factor <= 0)
        return;
    const double current = m_canvas->magnification();
    const double target = std::clamp(current * factor, Rules::minimumMagnification, Rules::maximumMagnification);
    if (std::abs(target - current) <= 0.001)
        return;
    // Anchored in image points: the canvas's margin grows and shrinks with the zoom.
    const QPointF anchor = QPointF(m_canvas->mapFrom(m_scrollArea->viewport(), viewportPosition.toPoint())) / current
        - m_canvas->imageFrame().topLeft();
    const QSizeF viewport = stableViewportSize();
    const Rules::CanvasGeometry geometry = Rules::canvasGeometry(viewport, image->size(), target);
    m_canvas->setCanvasSize(geometry.canvasSize);
    m_canvas->setImageFrame(geometry.imageFrame);
    m_canvas->setMagnification(target);
    const QPointF scrolled = (anchor + geometry.imageFrame.topLeft()) * target - viewportPosition;
    m_scrollArea->horizontalScrollBar()->setValue(int(std::lround(scrolled.x())));
    m_scrollArea->verticalScrollBar()->setValue(int(std::lround(scrolled.y())));

    // Told to the rules as a custom zoom already applied, so the layout that the state's change
    // schedules keeps this position instead of recentring for the new behaviour.
    (void)m_coordinator.decide({ image->identity(), image->size(), viewport, ZoomBehavior::custom, target });
    m_state.zoomBehavior.set(ZoomBehavior::custom);
    m_state.zoomScale.set(target);
}
