#include "SettingsWindowFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <set>

namespace {

using Value = DefaultsStore::Value;

struct SwitchCase {
    const char* key;
    Observable<bool> AppSettings::*field;
};

// Every Boolean preference the window edits.
const SwitchCase s_switches[] {
    { "resizeRetinaScreenshots", &AppSettings::resizeRetinaScreenshots },
    { "launchAtStartup", &AppSettings::launchAtStartup },
    { "showAfterScreenshot", &AppSettings::showAfterScreenshot },
    { "copyAfterScreenshot", &AppSettings::copyAfterScreenshot },
    { "saveAfterScreenshot", &AppSettings::saveAfterScreenshot },
    { "removeOcrLineBreaks", &AppSettings::removeOcrLineBreaks },
    { "hideMenubarIcon", &AppSettings::hideMenubarIcon },
    { "splashWindowDisabled", &AppSettings::splashWindowDisabled },
    { "mainWindowAlwaysOnTop", &AppSettings::mainWindowAlwaysOnTop },
    { "reverseScrollDirection", &AppSettings::reverseScrollDirection },
    { "prefer100Zoom", &AppSettings::prefer100Zoom },
    { "copyImageWhenEsc", &AppSettings::copyImageWhenEsc },
    { "saveImageWhenEsc", &AppSettings::saveImageWhenEsc },
    { "enableDeepLinks", &AppSettings::enableDeepLinks },
    { "allowDiagnostics", &AppSettings::allowDiagnostics },
};

using SettingsTest = SettingsWindowFixture;

TEST_F(SettingsTest, EverySwitchChoiceAndCardStoresItsValueAndFollowsChangesMadeElsewhere)
{
    std::set<QString> expectedNames;
    for (const SwitchCase& entry : s_switches) {
        const QString key = QString::fromLatin1(entry.key);
        SCOPED_TRACE(entry.key);
        expectedNames.insert(key);
        Observable<bool>& field = settings.*entry.field;
        auto* box = control<QCheckBox>(key);
        ASSERT_NE(box, nullptr);
        const bool initial = field();
        EXPECT_EQ(box->isChecked(), initial);

        box->click();
        EXPECT_EQ(stored(key), Value(!initial));

        const int writes = store.writeCount();
        field.set(initial);
        EXPECT_EQ(box->isChecked(), initial);
        EXPECT_EQ(store.writeCount(), writes + 1) << "a shown change must not be written back";
    }
    std::set<QString> shownNames;
    for (const QCheckBox* box : window.findChildren<QCheckBox*>())
        shownNames.insert(box->objectName());
    EXPECT_EQ(shownNames, expectedNames);

    // Each choice stores its own value, in the stored type.
    const std::pair<const char*, std::vector<Value>> choices[] {
        { "saveFormat", { Value(QStringLiteral("png")), Value(QStringLiteral("auto")) } },
        { "scrollingCaptureMode", { Value(QStringLiteral("manual")), Value(QStringLiteral("automatic")) } },
        { "showEditorAfterAreaCrop", { Value(false), Value(true) } },
        { "uploadMode", { Value(QStringLiteral("disabled")), Value(QStringLiteral("customServer")) } },
        { "ocrLanguage",
            { Value(QStringLiteral("English+")), Value(QStringLiteral("Polish+")), Value(QStringLiteral("Auto")) } },
        { "confirmationStyle",
            { Value(QStringLiteral("Custom Notification")), Value(QStringLiteral("System Notification")),
                Value(QStringLiteral("None")) } },
    };
    for (const auto& [key, storedValues] : choices) {
        SCOPED_TRACE(key);
        auto* combo = control<QComboBox>(QString::fromLatin1(key));
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(static_cast<std::size_t>(combo->count()), storedValues.size());
        // From the last case back, so that every step is a change from the default first case.
        for (int index = combo->count() - 1; index >= 0; --index) {
            combo->setCurrentIndex(index);
            EXPECT_EQ(stored(QString::fromLatin1(key)), storedValues[static_cast<std::size_t>(index)]);
        }
    }
    // A value set elsewhere is shown; a hand-edited word that is none of the choices selects
    // nothing and is kept.
    settings.saveFormat.set(SaveFormat::automatic);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("saveFormat"))->currentIndex(), 1);
    settings.ocrLanguage.set(QStringLiteral("German+"));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("ocrLanguage"))->currentIndex(), -1);
    EXPECT_EQ(stored(QStringLiteral("ocrLanguage")), Value(QStringLiteral("German+")));

    // The background cards store the style's raw value and follow a change made elsewhere.
    auto* picker = control<QWidget>(QStringLiteral("windowBackgroundStyle"));
    picker->findChild<QAbstractButton*>(QStringLiteral("solidColor"))->click();
    EXPECT_EQ(stored(QStringLiteral("windowBackgroundStyle")), Value(QStringLiteral("solidColor")));
    settings.windowBackgroundStyle.set(WindowBackgroundStyle::trimShadow);
    EXPECT_TRUE(picker->findChild<QAbstractButton*>(QStringLiteral("trimShadow"))->isChecked());
    EXPECT_FALSE(picker->findChild<QAbstractButton*>(QStringLiteral("solidColor"))->isChecked());
}

// The height is written as a number once typing is done: at Return, or when the window closes.
TEST_F(SettingsTest, ScrollingHeightAndSpeedAreWrittenAsNumbers)
{
    window.show();
    auto* field = control<QDoubleSpinBox>(QStringLiteral("scrollingScreenshotMaxHeight"));
    const auto type = [&](const QString& digits) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, digits);
    };
    type(QStringLiteral("1500"));
    EXPECT_EQ(stored(QStringLiteral("scrollingScreenshotMaxHeight")), std::nullopt) << "written at a digit";
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(stored(QStringLiteral("scrollingScreenshotMaxHeight")), Value(1500.0));

    settings.scrollingScreenshotMaxHeight.set(32000.0);
    EXPECT_EQ(field->value(), 32000.0);
    // A hand-edited value outside the field's range is shown clamped but stays stored as it is.
    const int writes = store.writeCount();
    settings.scrollingScreenshotMaxHeight.set(-5.0);
    EXPECT_EQ(store.writeCount(), writes + 1);
    type(QStringLiteral("4200"));
    window.close();
    EXPECT_EQ(stored(QStringLiteral("scrollingScreenshotMaxHeight")), Value(4200.0));

    // The speed slider writes hundredths.
    auto* slider = control<QSlider>(QStringLiteral("scrollingScreenshotSpeed"));
    EXPECT_EQ(slider->minimum(), 10);
    EXPECT_EQ(slider->maximum(), 100);
    slider->setValue(30);
    EXPECT_EQ(stored(QStringLiteral("scrollingScreenshotSpeed")), Value(0.3));
    settings.scrollingScreenshotSpeed.set(1.0);
    EXPECT_EQ(slider->value(), 100);
}

TEST_F(SettingsTest, SelectFolderStoresTheChosenFolderAndACancelChangesNothing)
{
    auto* button = control<QPushButton>(QStringLiteral("selectFolder"));
    auto* path = control<QLineEdit>(QStringLiteral("screenshotsFolderPath"));
    EXPECT_EQ(path->text(), QStringLiteral("~/Pictures/Trovix"));

    const int writes = store.writeCount();
    button->click();
    ASSERT_EQ(dialogs.folderPanelStarts.size(), 1u);
    EXPECT_EQ(dialogs.folderPanelStarts.back(), QDir::homePath() + QStringLiteral("/Pictures/Trovix"));
    EXPECT_EQ(store.writeCount(), writes) << "a cancelled panel changes nothing";

    dialogs.folderToChoose = QStringLiteral("/srv/shots");
    button->click();
    EXPECT_EQ(stored(QStringLiteral("screenshotsFolderPath")), Value(QStringLiteral("/srv/shots")));
    EXPECT_EQ(path->text(), QStringLiteral("/srv/shots"));
    button->click();
    EXPECT_EQ(dialogs.folderPanelStarts.back(), QStringLiteral("/srv/shots"));
}

TEST_F(SettingsTest, ServerRowsKeepTheirValuesRefuseATokenWithALineBreakAndPointOutOneInClear)
{
    window.setSelection(SettingsTab::uploading);
    window.show();
    control<QComboBox>(QStringLiteral("uploadMode"))->setCurrentIndex(1);
    auto* endpoint = control<QLineEdit>(QStringLiteral("uploadEndpoint"));
    endpoint->clear();
    QTest::keyClicks(endpoint, QStringLiteral("http://127.0.0.1:8080/up"));
    EXPECT_EQ(stored(QStringLiteral("uploadEndpoint")), Value(QStringLiteral("http://127.0.0.1:8080/up")));

    auto* token = control<QLineEdit>(QStringLiteral("uploadAuthorizationToken"));
    auto* reveal = control<QToolButton>(QStringLiteral("uploadAuthorizationTokenReveal"));
    auto* problem = control<QLabel>(QStringLiteral("uploadAuthorizationTokenProblem"));
    EXPECT_EQ(token->echoMode(), QLineEdit::Password);
    reveal->click();
    EXPECT_EQ(token->echoMode(), QLineEdit::Normal);
    QTest::keyClicks(token, QStringLiteral("good"));
    EXPECT_EQ(stored(QStringLiteral("uploadAuthorizationToken")), Value(QStringLiteral("good")));
    EXPECT_FALSE(problem->isVisibleTo(&window));

    token->insert(QStringLiteral("\r\nX-Injected: 1"));
    EXPECT_EQ(stored(QStringLiteral("uploadAuthorizationToken")), Value(QStringLiteral("good")));
    EXPECT_TRUE(problem->isVisibleTo(&window));
    EXPECT_TRUE(problem->text().contains(QStringLiteral("line break")));
    token->setText(QStringLiteral("better"));
    EXPECT_EQ(stored(QStringLiteral("uploadAuthorizationToken")), Value(QStringLiteral("better")));
    EXPECT_FALSE(problem->isVisibleTo(&window));

    // Turning uploads off keeps what was typed.
    control<QComboBox>(QStringLiteral("uploadMode"))->setCurrentIndex(0);
    EXPECT_EQ(stored(QStringLiteral("uploadEndpoint")), Value(QStringLiteral("http://127.0.0.1:8080/up")));
    EXPECT_EQ(stored(QStringLiteral("uploadAuthorizationToken")), Value(QStringLiteral("better")));

    // A token bound for plain http off this machine is pointed out, once.
    auto* warning = control<QLabel>(QStringLiteral("uploadTokenInClear"));
    const struct {
        const char* endpoint;
        const char* token;
        UploadMode mode;
        bool warned;
    } cases[] = {
        { "http://upload.example.test/up", "s3cret", UploadMode::customServer, true },
        { "http://upload.example.test/up", "", UploadMode::customServer, false },
        { "https://upload.example.test/up", "s3cret", UploadMode::customServer, false },
        { "http://127.0.0.1:8080/up", "s3cret", UploadMode::customServer, false },
        { "http://upload.example.test/up", "s3cret", UploadMode::disabled, false },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.endpoint + std::string(" ") + testCase.token);
        settings.uploadMode.set(testCase.mode);
        settings.uploadEndpoint.set(QString::fromUtf8(testCase.endpoint));
        settings.uploadAuthorizationToken.set(QString::fromUtf8(testCase.token));
        EXPECT_EQ(warning->isVisibleTo(&window), testCase.warned);
    }
    EXPECT_EQ(window.findChildren<QLabel*>(QStringLiteral("uploadTokenInClear")).size(), 1) << "said once";
}

} // namespace
