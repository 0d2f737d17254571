#pragma once

#include "fakes/AppStateWithFakes.h"
#include "fakes/FakeEditorWindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class AppStateTest : public testing::Test, protected AppStateWithFakes {
protected:
    static Image solidImage(QSize pixels, QColor color, QSizeF points = {})
    {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(color);
        return points.isEmpty() ? Image(image) : Image(image, points);
    }

    void drag(AnnotationTool tool, QPointF from, QPointF to, std::vector<QPointF> points = {})
    {
        state.selectedTool.set(tool);
        if (points.empty())
            points = { from, to };
        state.addDragAnnotation(from, to, points);
    }
};
