#include "domain/ApplicationIdentity.h"

namespace ApplicationIdentity {

QString id()
{
    return QStringLiteral("io.github.trovix.Trovix");
}

QString objectPath()
{
    return QStringLiteral("/io/github/trovix/Trovix");
}

QString version()
{
    return QStringLiteral(TROVIX_VERSION);
}

} // namespace ApplicationIdentity
