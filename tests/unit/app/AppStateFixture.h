#pragma once

#include "app/AppState.h"

#include "FakeClipboard.h"
#include "FakeEditorWindow.h"
#include "FakeWorkspace.h"

#include <gtest/gtest.h>

class AppStateTest : public testing::Test {
protected:
    AppStateTest()
        : state(AppStatePorts { clipboard, workspace })
    {
    }

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

    FakeClipboard clipboard;
    FakeWorkspace workspace;
    AppState state;
};
