// Repainting the editor's canvas over a 5K capture with 200 annotations. While a gesture is
// in progress only its preview changes, so a repaint should cost the cached layer's copy and
// the preview, not the 200 shapes.
#include "ui/editor/AnnotationCanvas.h"

#include "support/BenchAnnotations.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <random>
#include <vector>

namespace {

namespace Kinds = AnnotationKinds;
using BenchAnnotations::annotations;

Image capture(QSize pixels, double density)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(246, 246, 248));
    QPainter painter(&image);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 400; ++i)
        painter.fillRect(QRectF(unit(random) * pixels.width(), unit(random) * pixels.height(), 80 + unit(random) * 600,
                             8 + unit(random) * 40),
            QColor::fromHsvF(float(unit(random)), 0.4f, 0.8f));
    painter.end();
    return Image(std::move(image), QSizeF(pixels) / density);
}

// An editor-sized view of the canvas: 1440 × 900 pixels around the image's centre.
struct CanvasScene {
    CanvasScene(double density, double magnification)
        : image(capture(QSize(5120, 2880), density))
    {
        const QSizeF points = image.size();
        canvas.setImage(image);
        canvas.setAnnotations(annotations(points, 200));
        canvas.setCanvasSize(points + QSizeF(144, 144));
        canvas.setImageFrame(QRectF(QPointF(72, 72), points));
        canvas.setMagnification(magnification);
        canvas.setCropSelection(QRectF(100, 100, points.width() / 2, points.height() / 2));
        canvas.setSelectedTool(AnnotationTool::rectangle);
        const QSize widget = canvas.size();
        visible = QRect(std::max(0, (widget.width() - 1440) / 2), std::max(0, (widget.height() - 900) / 2),
            std::min(widget.width(), 1440), std::min(widget.height(), 900));
        target = QImage(visible.size(), QImage::Format_ARGB32_Premultiplied);
        mouse(QEvent::MouseButtonPress, visible.center() - QPoint(200, 150));
    }

    void mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, canvas.mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &event);
    }

    void repaint()
    {
        target.fill(Qt::transparent);
        canvas.render(&target, QPoint(), QRegion(visible));
    }

    Image image;
    AnnotationCanvas canvas;
    QRect visible;
    QImage target;
};

// range(0): pixels per point of the capture; range(1): magnification in percent.
void previewRepaint(benchmark::State& state)
{
    CanvasScene scene(double(state.range(0)), double(state.range(1)) / 100);
    scene.repaint(); // builds the cached layer
    int step = 0;
    for (auto _ : state) {
        scene.mouse(QEvent::MouseMove, scene.visible.center() + QPoint(step % 200, step % 120));
        scene.repaint();
        ++step;
    }
}

// What a change of the committed annotations costs: the layer is rendered again.
void committedChangeRepaint(benchmark::State& state)
{
    CanvasScene scene(double(state.range(0)), double(state.range(1)) / 100);
    std::vector<AnnotationShape> shapes = annotations(scene.image.size(), 200);
    int step = 0;
    for (auto _ : state) {
        auto& arrow = std::get<Kinds::Arrow>(shapes[2].kind);
        arrow.end += QPointF(step % 2 ? 1 : -1, 0);
        scene.canvas.setAnnotations(shapes);
        scene.repaint();
        ++step;
    }
}

// Dragging an arrow's end over the 5K picture: the arrow is drawn over a layer of the other
// annotations, which the drag leaves alone.
void arrowDragRepaint(benchmark::State& state)
{
    CanvasScene scene(double(state.range(0)), double(state.range(1)) / 100);
    std::vector<AnnotationShape> shapes = annotations(scene.image.size(), 200);
    scene.canvas.setAnnotations(shapes);
    scene.canvas.setSelectedTool(AnnotationTool::select);
    scene.canvas.setCallbacks({ {}, {}, {},
        [&](const QUuid&, QPointF start, QPointF end) {
            std::get<Kinds::Arrow>(shapes[2].kind) = Kinds::Arrow { start, end };
            scene.canvas.setAnnotations(shapes);
        },
        {} });
    const QPointF end = std::get<Kinds::Arrow>(shapes[2].kind).end;
    scene.mouse(QEvent::MouseButtonRelease, scene.visible.center());
    scene.mouse(QEvent::MouseButtonPress, scene.canvas.mapFromImage(end).toPoint());
    scene.repaint();
    int step = 0;
    for (auto _ : state) {
        scene.mouse(QEvent::MouseMove, scene.canvas.mapFromImage(end + QPointF(step % 40, step % 30)).toPoint());
        scene.repaint();
        ++step;
    }
    if (!scene.canvas.isDragging())
        state.SkipWithError("the press did not grab the arrow");
}

} // namespace

BENCHMARK(previewRepaint)
    ->Args({ 1, 28 })
    ->Args({ 1, 100 })
    ->Args({ 2, 56 })
    ->Args({ 2, 200 })
    ->ArgNames({ "density", "zoom%" })
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(committedChangeRepaint)
    ->Args({ 1, 28 })
    ->Args({ 1, 100 })
    ->Args({ 2, 56 })
    ->ArgNames({ "density", "zoom%" })
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(arrowDragRepaint)
    ->Args({ 1, 100 })
    ->Args({ 2, 56 })
    ->ArgNames({ "density", "zoom%" })
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
