#include "ui/editor/ToolIcons.h"

#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <memory>

namespace {

QString resourcePath(const QString& symbolName)
{
    return QStringLiteral(":/icons/") + symbolName + QStringLiteral(".svg");
}

// Standard names of the freedesktop icon naming specification only: themes that follow
// it have these, and a guessed non-standard name would match unrelated pictures.
const QHash<QString, QString>& themeNames()
{
    static const QHash<QString, QString> names {
        { QStringLiteral("doc.on.doc"), QStringLiteral("edit-copy") },
        { QStringLiteral("square.and.arrow.down"), QStringLiteral("document-save") },
        { QStringLiteral("folder"), QStringLiteral("document-open") },
        { QStringLiteral("arrow.uturn.backward"), QStringLiteral("edit-undo") },
        { QStringLiteral("plus.magnifyingglass"), QStringLiteral("zoom-in") },
        { QStringLiteral("doc.on.clipboard"), QStringLiteral("edit-paste") },
    };
    return names;
}

// Renders the line drawing at the size asked for and paints it in one colour, so the
// icons stay crisp at any scale and follow light and dark palettes.
class TintedSvgIconEngine : public QIconEngine {
public:
    TintedSvgIconEngine(QString path, QColor color, QColor checkedColor)
        : m_path(std::move(path))
        , m_color(std::move(color))
        , m_checkedColor(std::move(checkedColor))
    { }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, renderPixmap(rect.size(), mode, state, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return renderPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return renderPixmap(size, mode, state, scale);
    }

    QIconEngine* clone() const override { return new TintedSvgIconEngine(m_path, m_color, m_checkedColor); }
    QString key() const override { return QStringLiteral("TintedSvgIconEngine"); }

private:
    QPixmap renderPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal ratio) const
    {
        QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            QSvgRenderer renderer(m_path);
            renderer.render(&painter, QRectF(QPointF(), QSizeF(image.size())));
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(image.rect(), colorFor(mode, state));
        }
        QPixmap pixmap = QPixmap::fromImage(std::move(image));
        pixmap.setDevicePixelRatio(ratio);
        return pixmap;
    }

    QColor colorFor(QIcon::Mode mode, QIcon::State state) const
    {
        QColor color = state == QIcon::On ? m_checkedColor : m_color;
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.35);
        return color;
    }

    QString m_path;
    QColor m_color;
    QColor m_checkedColor;
};

} // namespace

namespace ToolIcons {

std::optional<QString> themeIconName(const QString& symbolName)
{
    const auto found = themeNames().constFind(symbolName);
    if (found == themeNames().constEnd())
        return std::nullopt;
    return *found;
}

bool hasBundledIcon(const QString& symbolName)
{
    return QFile::exists(resourcePath(symbolName));
}

QIcon bundledIcon(const QString& symbolName, const QColor& color, const QColor& checkedColor)
{
    if (!hasBundledIcon(symbolName))
        return {};
    return QIcon(new TintedSvgIconEngine(resourcePath(symbolName), color, checkedColor));
}

QIcon icon(const QString& symbolName, const QColor& color, const QColor& checkedColor)
{
    if (const std::optional<QString> name = themeIconName(symbolName);
        name && !QIcon::themeName().isEmpty() && QIcon::hasThemeIcon(*name))
        return QIcon::fromTheme(*name);
    return bundledIcon(symbolName, color, checkedColor);
}

QIcon toolIcon(AnnotationTool tool, const QColor& color, const QColor& checkedColor)
{
    return icon(AnnotationTools::symbolName(tool), color, checkedColor);
}

} // namespace ToolIcons
