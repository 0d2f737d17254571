#include "domain/UploadError.h"
#include "services/UploadLinkExtractor.h"
#include "services/UploadRedirects.h"
#include "services/UploadService.h"
#include "services/UploadTokenRules.h"
#include "services/UrlParsing.h"

#include <gtest/gtest.h>

#include <optional>

TEST(UrlParsing, AcceptsWhatALinkMayBeAndNothingWithStrayCharacters)
{
    const struct {
        const char* text;
        bool accepted;
    } cases[] = { { "https://files.example.test/a.png", true }, { "", false },
        { " https://files.example.test/a.png", false }, { "https://files.example.test/a b.png", false } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.text);
        EXPECT_EQ(UrlParsing::parse(QString::fromUtf8(testCase.text)).has_value(), testCase.accepted);
    }
}

TEST(UploadLinkExtractor, SearchesKeysThenNestedObjectsButNeverArraysBelowTheTop)
{
    const struct {
        const char* body;
        std::optional<QString> link;
    } cases[] = {
        { R"({"url": "https://a.test/1"})", QStringLiteral("https://a.test/1") },
        { R"({"download_url": "https://a.test/6", "shareUrl": "https://a.test/3"})",
            QStringLiteral("https://a.test/3") },
        { R"({"download_url": "https://a.test/6", "share_url": "https://a.test/4"})",
            QStringLiteral("https://a.test/4") },
        { R"({"link": "https://a.test/link", "url": "https://a.test/url"})", QStringLiteral("https://a.test/url") },
        { R"({"url": 5, "link": "https://a.test/2"})", QStringLiteral("https://a.test/2") },
        { R"({"data": {"link": "https://a.test/nested"}})", QStringLiteral("https://a.test/nested") },
        { R"({"url": "https://a.test/top", "data": {"url": "https://a.test/inner"}})",
            QStringLiteral("https://a.test/top") },
        { R"([{"id": 1}, {"url": "https://a.test/second"}, {"url": "https://a.test/third"}])",
            QStringLiteral("https://a.test/second") },
        { R"([5, "https://a.test/string", {"link": "https://a.test/object"}])",
            QStringLiteral("https://a.test/object") },
        { R"({"files": [{"url": "https://a.test/in-array"}]})", std::nullopt },
        { R"({"URL": "https://a.test/case"})", std::nullopt }, { R"([])", std::nullopt },
        { R"("https://a.test/scalar")", std::nullopt }, { "https://a.test/plain\n", std::nullopt },
        { R"({"url": "https://a.test/x")", std::nullopt }, // broken JSON
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.body);
        const std::optional<QUrl> url = UploadLinkExtractor::extractURL(QByteArray(testCase.body));
        EXPECT_EQ(url ? std::optional(url->toString()) : std::nullopt, testCase.link);
    }
}

TEST(UploadService, AnswerRuleAppliesStatusThenJsonThenText)
{
    const struct {
        int status;
        QByteArray body;
        std::optional<QString> link;
        QString error;
    } cases[] = {
        { 200, R"({"data": {"link": "https://a.test/n"}})", QStringLiteral("https://a.test/n"), {} },
        { 201, "  https://a.test/spaced \r\n\t", QStringLiteral("https://a.test/spaced"), {} },
        { 299, "bare-word", QStringLiteral("bare-word"), {} },
        { 204, "", std::nullopt, QStringLiteral("Serwer nie zwrócił rozpoznawalnego linku.") },
        { 200, "https://a.test/\xff", std::nullopt, QStringLiteral("Serwer nie zwrócił rozpoznawalnego linku.") },
        { 199, "https://a.test/ok", std::nullopt, QStringLiteral("https://a.test/ok") },
        { 300, "", std::nullopt, QStringLiteral("Upload failed.") },
        { 404, "  Not here \n", std::nullopt, QStringLiteral("  Not here \n") },
        { 500, "\xc3\x28", std::nullopt, QStringLiteral("Upload failed.") },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.status);
        SCOPED_TRACE(testCase.body.toStdString());
        try {
            const UploadResult result = UploadService::resultFromAnswer(testCase.status, testCase.body);
            ASSERT_TRUE(testCase.link);
            EXPECT_EQ(result.linkText(), *testCase.link);
            EXPECT_EQ(result.rawResponse, QString::fromUtf8(testCase.body)) << "the whole answer, untrimmed";
        } catch (const UploadError& error) {
            EXPECT_FALSE(testCase.link);
            EXPECT_EQ(error.description(), testCase.error);
        }
    }
}

TEST(UploadRedirects, TokenStaysWithTheConfiguredOriginAndTargetsResolveWithoutDowngrades)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = { { "https://up.test/upload", "https://up.test/other", true },
        { "https://up.test/upload", "https://UP.test:443/x", true },
        { "http://up.test/upload", "http://up.test:80/x", true },
        { "https://up.test/upload", "https://up.test:8443/x", false },
        { "https://up.test/upload", "http://up.test/upload", false },
        { "http://127.0.0.1:8000/", "http://127.0.0.1:8001/", false } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.b);
        EXPECT_EQ(UploadRedirects::sameOrigin(QUrl(QString::fromUtf8(testCase.a)), QUrl(QString::fromUtf8(testCase.b))),
            testCase.same);
    }

    using UploadRedirects::Refusal;
    const struct {
        const char* current;
        const char* location;
        std::optional<QString> target;
        std::optional<Refusal> refusal;
    } targets[] = {
        { "https://up.test/a/upload", "done", QStringLiteral("https://up.test/a/done"), std::nullopt },
        { "https://up.test/upload", "//cdn.test/x", QStringLiteral("https://cdn.test/x"), std::nullopt },
        { "http://up.test/upload", "https://up.test/upload", QStringLiteral("https://up.test/upload"), std::nullopt },
        { "https://up.test/upload", "http://up.test/upload", std::nullopt, Refusal::insecure },
        { "https://up.test/upload", "ftp://up.test/upload", std::nullopt, Refusal::unsupportedScheme },
        { "http://up.test/upload", "file:///etc/passwd", std::nullopt, Refusal::unsupportedScheme },
    };
    for (const auto& testCase : targets) {
        SCOPED_TRACE(testCase.location);
        const auto target = UploadRedirects::resolve(
            QUrl(QString::fromUtf8(testCase.current)), QUrl(QString::fromUtf8(testCase.location)));
        EXPECT_EQ(target.url ? std::optional(target.url->toString()) : std::nullopt, testCase.target);
        EXPECT_EQ(target.refusal, testCase.refusal);
    }
    EXPECT_TRUE(UploadRedirects::keepsMethod(307));
    EXPECT_TRUE(UploadRedirects::keepsMethod(308));
    EXPECT_FALSE(UploadRedirects::keepsMethod(303));
    EXPECT_FALSE(UploadRedirects::isRedirect(304));
}

TEST(UploadTokenRules, ControlCharactersAreRefusedAndOnlyAPlainHttpAddressOffThisMachineGetsTheTokenInClear)
{
    const struct {
        QString token;
        bool accepted;
    } cases[]
        = { { QString(), true }, { QStringLiteral("abc.DEF-123_~+/="), true }, { QStringLiteral(" spaced out "), true },
              { QStringLiteral("zażółć"), true }, { QStringLiteral("abc\r\nX-Injected: 1"), false },
              { QStringLiteral("a\tb"), false }, { QStringLiteral("a") + QChar(0) + QStringLiteral("b"), false },
              { QStringLiteral("a\x7f"), false }, { QStringLiteral("a") + QChar(0x85) + QStringLiteral("b"), false },
              { QStringLiteral("a") + QChar(0x2028) + QStringLiteral("b"), false } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.token.toStdString());
        EXPECT_EQ(!UploadTokenRules::tokenProblem(testCase.token), testCase.accepted);
    }

    const QString token = QStringLiteral("s3cret");
    const struct {
        const char* endpoint;
        QString token;
        bool inClear;
    } endpoints[]
        = { { "http://upload.example.test/up", token, true }, { "HTTP://Upload.Example.test/up", token, true },
              { "http://10.0.0.2:8080/up", token, true }, { "http://localhost.example.test/up", token, true },
              { "http://upload.example.test/up", QString(), false }, { "https://upload.example.test/up", token, false },
              { "http://127.1.2.3/up", token, false }, { "http://[::1]:8080/up", token, false },
              { "http://localhost/up", token, false }, { "http://LOCALHOST:99/up", token, false },
              { "http://files.localhost/up", token, false }, { "not a url", token, false } };
    for (const auto& testCase : endpoints) {
        SCOPED_TRACE(testCase.endpoint);
        EXPECT_EQ(UploadTokenRules::sendsTokenInClear(QString::fromUtf8(testCase.endpoint), testCase.token),
            testCase.inClear);
    }
}
