// A desktop that refuses screenshots: the Screenshot portal's backend here is
// tests/support/test_portal_backend.py, answering every request with response 2.
#include "WaylandDesktop.h"

#include "domain/ScreenshotError.h"
#include "platform/portal/PortalScreenCapturePermission.h"
#include "platform/portal/PortalScreenshot.h"

#include "fakes/TaskRunner.h"

TEST(PortalRefusal, isThePermissionErrorAndTheCheckReportsDenied)
{
    PortalScreenshot screenshots;
    PortalScreenCapturePermission permission(screenshots);
    EXPECT_TRUE(permission.isGranted()) << "nothing refused yet";
    try {
        runToCompletion(screenshots.take(false));
        ADD_FAILURE() << "a picture from a refusing desktop";
    } catch (const ScreenshotError& error) {
        EXPECT_EQ(error.code(), ScreenshotError::Code::permissionDenied);
    }
    EXPECT_FALSE(permission.isGranted());
    // Asking again lets the desktop decide anew on the next capture.
    permission.request();
    EXPECT_TRUE(permission.isGranted());

    QProcess shot;
    shot.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"),
        { QStringLiteral("shot"), QStringLiteral("--output"), QStringLiteral("/dev/null") });
    ASSERT_TRUE(shot.waitForFinished(60000));
    EXPECT_EQ(shot.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(shot.readAllStandardError())
                    .contains(ScreenshotError::descriptionFor(ScreenshotError::Code::permissionDenied)));
}
