#include "ui/shared/AppIcon.h"

#include "domain/ApplicationIdentity.h"

namespace AppIcon {

QIcon icon()
{
    const QIcon bundled(QStringLiteral(":/app-icon/%1.svg").arg(ApplicationIdentity::id()));
    return QIcon::fromTheme(ApplicationIdentity::id(), bundled);
}

} // namespace AppIcon
