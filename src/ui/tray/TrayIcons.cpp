#include "ui/tray/TrayIcons.h"

#include "ui/shared/AppIcon.h"

#include <QFile>

#include <array>

namespace {

struct Picture {
    const char* symbol;
    const char* themeName; // null: bundled
};

constexpr std::array s_pictures {
    Picture { "display", "video-display" },
    Picture { "arrow.down.to.line", "go-bottom" },
    Picture { "chevron.up", "go-up" },
    Picture { "doc", "document-open" },
    Picture { "clipboard", "edit-paste" },
    Picture { "gearshape", "preferences-system" },
    Picture { "viewfinder.rectangular", nullptr },
    Picture { "timer", nullptr },
    Picture { "text.viewfinder", nullptr },
    Picture { "ellipsis", nullptr },
    Picture { "window.on.rectangle", nullptr },
    Picture { "rectangle.on.rectangle", nullptr },
};

} // namespace

// At global scope: the resource's initialiser is declared where it is named, and must not
// end up in a namespace.
static void initialiseBundledIcons()
{
    static const bool initialised = [] {
        Q_INIT_RESOURCE(tray_icons);
        return true;
    }();
    Q_UNUSED(initialised);
}

namespace TrayIcons {

QIcon icon(const QString& symbolName)
{
    for (const Picture& picture : s_pictures) {
        if (symbolName != QLatin1String(picture.symbol))
            continue;
        if (picture.themeName)
            return QIcon::fromTheme(QLatin1String(picture.themeName));
        initialiseBundledIcons();
        const QString path = QStringLiteral(":/tray-icons/%1.svg").arg(symbolName);
        return QFile::exists(path) ? QIcon(path) : QIcon();
    }
    return {};
}

QIcon statusIcon()
{
    return AppIcon::icon();
}

} // namespace TrayIcons
