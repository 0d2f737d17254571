#include "UploadOutcome.h"
#include "support/UploadServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

const QString serverLink = QStringLiteral("https://files.example.test/");

UploadConfiguration configurationFor(const QString& endpoint, const QString& token = {})
{
    UploadConfiguration configuration;
    configuration.mode = UploadMode::customServer;
    configuration.endpoint = endpoint;
    configuration.authorizationToken = token;
    configuration.timeout = std::chrono::seconds(20);
    return configuration;
}

class UploadServiceTest : public testing::Test {
protected:
    UploadServer server;
    // Stands for the encoded picture: a line break, a NUL byte and dashes that could pass for a boundary.
    const QByteArray png = QByteArrayLiteral("\x89PNG\r\n\x1a\n\0\r\n------TrovixBoundary--\r\n");
};

QJsonObject onlyPart(const QJsonObject& request)
{
    const QJsonArray parts = request.value(QStringLiteral("parts")).toArray();
    EXPECT_EQ(parts.size(), 1);
    return parts.isEmpty() ? QJsonObject() : parts.first().toObject();
}

} // namespace

TEST_F(UploadServiceTest, ServerReceivesOnePngPartUnderTheConfiguredFieldName)
{
    // The token goes out exactly as stored, spaces included.
    UploadConfiguration configuration
        = configurationFor(server.url(QStringLiteral("/json-nested")), QStringLiteral("  spaced token  "));
    configuration.fieldName = QStringLiteral("image");
    const UploadOutcome outcome = runUpload(configuration, png);
    ASSERT_TRUE(outcome.result) << outcome.error->toStdString();

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const QJsonObject& request = requests.front();
    EXPECT_EQ(request.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
    EXPECT_EQ(UploadServer::header(request, QStringLiteral("authorization")),
        QStringList { QStringLiteral("Bearer   spaced token  ") });

    const QStringList contentType = UploadServer::header(request, QStringLiteral("content-type"));
    ASSERT_EQ(contentType.size(), 1);
    EXPECT_TRUE(contentType.first().startsWith(QStringLiteral("multipart/form-data; boundary=----TrovixBoundary")));

    const QJsonObject part = onlyPart(request);
    EXPECT_EQ(part.value(QStringLiteral("name")).toString(), QStringLiteral("image"));
    EXPECT_EQ(part.value(QStringLiteral("filename")).toString(), QStringLiteral("screenshot.png"));
    EXPECT_EQ(part.value(QStringLiteral("content_type")).toString(), QStringLiteral("image/png"));
    const QByteArray received = QByteArray::fromBase64(part.value(QStringLiteral("data")).toString().toLatin1());
    EXPECT_EQ(received, png);
}

TEST_F(UploadServiceTest, RedirectsCarryTheTokenOnlyBackToTheSameServerAndEndlessOnesStop)
{
    const struct {
        QString query;
        bool otherPort;
        QString method;
        bool tokenFollows;
        QString link;
    } cases[] = {
        { QStringLiteral("status=307&to=other&target=/plain"), true, QStringLiteral("POST"), false,
            serverLink + QStringLiteral("plain.png") },
        { QStringLiteral("status=303&to=same&target=/json-array"), false, QStringLiteral("GET"), true,
            serverLink + QStringLiteral("second.png") },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.query.toStdString());
        const auto before = server.requests().size();
        const UploadOutcome outcome
            = runUpload(configurationFor(server.url(QStringLiteral("/redirect?") + testCase.query), "tok"), png);
        ASSERT_TRUE(outcome.result) << outcome.error->toStdString();
        EXPECT_EQ(outcome.result->linkText(), testCase.link);

        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), before + 2);
        const QJsonObject& first = requests[before];
        const QJsonObject& second = requests[before + 1];
        EXPECT_EQ(UploadServer::header(first, QStringLiteral("authorization")), QStringList { "Bearer tok" });
        EXPECT_EQ(
            second.value(QStringLiteral("port")).toInt(), testCase.otherPort ? server.otherPort() : server.port());
        EXPECT_EQ(second.value(QStringLiteral("method")).toString(), testCase.method);
        EXPECT_EQ(!UploadServer::header(second, QStringLiteral("authorization")).isEmpty(), testCase.tokenFollows);
        if (testCase.method == QStringLiteral("POST"))
            EXPECT_EQ(
                QByteArray::fromBase64(onlyPart(second).value(QStringLiteral("data")).toString().toLatin1()), png);
        else
            EXPECT_EQ(second.value(QStringLiteral("body_length")).toInt(), 0);
    }

    const auto before = server.requests().size();
    const UploadOutcome outcome = runUpload(configurationFor(server.url(QStringLiteral("/loop"))), png);
    EXPECT_EQ(outcome.error, QStringLiteral("The server redirected the upload too many times."));
    EXPECT_EQ(server.requests().size() - before, 11u); // the upload and ten redirects
}

TEST_F(UploadServiceTest, AnswersAreReadUpToTenMebibytesAndASilentServerEndsAtTheTimeOut)
{
    const QString tooLarge = QStringLiteral("The server's answer is larger than 10 MiB.");
    const struct {
        QString path;
        std::optional<QString> error;
    } cases[] = {
        { QStringLiteral("/sized?bytes=10485760"), std::nullopt },
        { QStringLiteral("/sized?bytes=10485761"), tooLarge },
        { QStringLiteral("/sized?bytes=10485761&declare=1"), tooLarge },
        { QStringLiteral("/endless"), tooLarge },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.path.toStdString());
        const UploadOutcome outcome = runUpload(configurationFor(server.url(testCase.path)), png);
        EXPECT_EQ(outcome.error, testCase.error);
        if (!testCase.error) {
            ASSERT_TRUE(outcome.result);
            EXPECT_EQ(outcome.result->linkText(), serverLink + QStringLiteral("sized.png"));
        }
    }

    UploadConfiguration configuration = configurationFor(server.url(QStringLiteral("/silent")));
    configuration.timeout = std::chrono::milliseconds(300);
    QElapsedTimer clock;
    clock.start();
    const UploadOutcome outcome = runUpload(configuration, png);
    EXPECT_TRUE(outcome.transportFailure);
    EXPECT_EQ(outcome.error, QStringLiteral("The request timed out."));
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(UploadServiceTest, FailsBeforeSendingWhenTheUploadCannotStart)
{
    int encoded = 0;
    const auto countingSource = [&encoded, this] {
        ++encoded;
        return png;
    };
    const struct {
        const char* name;
        UploadConfiguration configuration;
        UploadService::PngSource source;
        QString error;
        int encodings;
    } cases[] = {
        { "switched off",
            [&] {
                auto c = configurationFor(server.url(QStringLiteral("/plain")));
                c.mode = UploadMode::disabled;
                return c;
            }(),
            countingSource, QStringLiteral("Upload jest wyłączony w ustawieniach."), 0 },
        { "empty endpoint", configurationFor(QString()), countingSource,
            QStringLiteral("Nieprawidłowy adres serwera uploadu."), 0 },
        { "no PNG", configurationFor(server.url(QStringLiteral("/plain"))), [] { return QByteArray(); },
            QStringLiteral("Nie udało się przygotować PNG do wysyłki."), 0 },
        { "encoder fails", configurationFor(server.url(QStringLiteral("/plain"))),
            []() -> QByteArray { throw TrovixError(QStringLiteral("Nie udało się zakodować obrazu do PNG.")); },
            QStringLiteral("Nie udało się przygotować PNG do wysyłki."), 0 },
        { "relative endpoint", configurationFor(QStringLiteral("upload")), countingSource,
            QStringLiteral("unsupported URL"), 1 },
        // A token that would split the header stops the upload before the picture is even encoded.
        { "token with a line break",
            configurationFor(server.url(QStringLiteral("/plain")), QStringLiteral("abc\r\nX-Injected: 1")),
            countingSource, UploadError::invalidToken().description(), 0 },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        encoded = 0;
        const UploadOutcome outcome = runToCompletion(uploadOutcome(testCase.configuration, testCase.source));
        EXPECT_EQ(outcome.error, testCase.error);
        EXPECT_EQ(encoded, testCase.encodings);
    }
    EXPECT_TRUE(server.requests().empty());
}
