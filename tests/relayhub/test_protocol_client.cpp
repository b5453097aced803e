// The request grammar, the byte mapping, and the RelayHubServer component
// with its embedded transport.
#include "RelayHubServer.h"
#include "protocol/Protocol.h"

#include "common/StringProcedures.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>

using namespace relayhub;

TEST(Protocol, RequestsPutTheSeparatorBeforeEveryField) {
    EXPECT_EQ(RequestBuild({QStringLiteral("GET"), QStringLiteral("COLOR")}, true),
              QStringLiteral("|GET|COLOR|"));
    EXPECT_EQ(RequestBuild({QStringLiteral("GET"), QStringLiteral("TRAN"), QStringLiteral("INIT")}, true),
              QStringLiteral("|GET|TRAN|INIT|"));
    EXPECT_EQ(RequestBuild({QStringLiteral("SET"), QString(), QStringLiteral("a b")}),
              QStringLiteral("|SET||a b"));
    EXPECT_EQ(
        RequestSplit(QStringLiteral("|GET|TRAN|INIT|")),
        (QStringList{QStringLiteral("GET"), QStringLiteral("TRAN"), QStringLiteral("INIT"), QString()}));
    // The last field of a bounded split keeps its separators: pieces may hold "|".
    EXPECT_EQ(RequestSplit(QStringLiteral("|SET|AUDIO|RTF|R1|2|a|b||"), 6).last(), QStringLiteral("a|b||"));
    EXPECT_TRUE(RequestSplit(QStringLiteral("GET|COLOR|")).isEmpty());
    EXPECT_EQ(RequestSplit(QStringLiteral("|")), QStringList{QString()});
}

TEST(Protocol, EveryByteMapsToOneCharacterAndBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = BytesToText(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x81], QChar(0x81));
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    EXPECT_EQ(text[0xE9], QChar(0xE9));
    bool ok = false;
    EXPECT_EQ(TextToBytes(text, &ok), all);
    EXPECT_TRUE(ok);
    EXPECT_EQ(TextToBytes(QStringLiteral("a\u4E2Db"), &ok), QByteArray("a?b"));
    EXPECT_FALSE(ok);
    // The control's string procedures use the same mapping.
    EXPECT_EQ(vd::StringByteArrayToUnicode(all), text);
    EXPECT_EQ(vd::StringUnicodeToByteArray(text), all);
}

TEST(Protocol, WireUtf8MatchesQtBothWays) {
    QString every;
    for (char32_t c = 0; c < 0x110000; c += (c < 0x10000 ? 1 : 97))
        if (c < 0xD800 || c > 0xDFFF) every += QString::fromUcs4(&c, 1);
    const QByteArray utf8 = every.toUtf8();
    EXPECT_EQ(WireEncode(every), utf8);
    EXPECT_EQ(WireDecode(utf8.constData(), utf8.size()), every);
    // A lone surrogate becomes "?".
    const QString lone = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00);
    EXPECT_EQ(WireEncode(lone), QByteArray("a?b?"));
    EXPECT_EQ(WireEncode(lone), lone.toUtf8());
    // Bytes that are not UTF-8 decode as Qt decodes them.
    for (const QByteArray& bad :
         {QByteArray("\xC0\x80"), QByteArray("ab\xED\xA0\x80"), QByteArray("\xF4\x90\x80\x80"),
          QByteArray("x\xE2\x82"), QByteArray("\xFF\xFE"), QByteArray("\xE0\x80\xAF")})
        EXPECT_EQ(WireDecode(bad.constData(), bad.size()), QString::fromUtf8(bad)) << bad.toHex().constData();
}

TEST(Protocol, RefusalsAreRecognisedAfterLeadingBlanks) {
    EXPECT_TRUE(AnswerIsRefusal(QStringLiteral("  error: disk full")));
    EXPECT_EQ(RefusalReason(QStringLiteral("  error: disk full")), QStringLiteral("r: disk full"));
    EXPECT_FALSE(AnswerIsRefusal(QStringLiteral("ERROR")));
    EXPECT_FALSE(AnswerIsRefusal(QStringLiteral("R00000001")));
}

TEST(RelayHubServerEmbedded, AnswersFromASqliteFileWithTheDemoData) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("desk.db"));
    RelayHubServer server;
    QString answer, info = QStringLiteral("x");
    EXPECT_FALSE(server.RequestProcess(QStringLiteral("|GET|COLOR|"), answer, QString(), info))
        << "no transport yet";
    ASSERT_TRUE(server.OpenEmbedded(path, true)) << server.LastError().toStdString();
    ASSERT_TRUE(server.RequestProcess(QStringLiteral("|GET|TRAN|INIT|"), answer, QString(), info));
    EXPECT_TRUE(info.isEmpty());
    EXPECT_EQ(answer.section(QChar(1), 1).split(QChar(0)).size(), 3);
    ASSERT_TRUE(server.RequestProcess(QStringLiteral("|SET|AUDIO|DICTATION|NEXTKEY|0|DICTATED"), answer,
                                      QString(), info));
    const QString name = answer;
    QStringList blocks;
    ASSERT_TRUE(server.RequestProcessBlocks(QStringLiteral("|GET|AUDIO|DICTATION|*|PRIORITY|*|*|N|*|"),
                                            blocks, QString(), info));
    EXPECT_TRUE(blocks.value(1).startsWith(QStringLiteral("|GR||") + name + QLatin1Char('\t')));

    // Reopening keeps the data and does not load the demo set again.
    RelayHubServer again;
    ASSERT_TRUE(again.OpenEmbedded(path, true));
    ASSERT_TRUE(
        again.RequestProcess(QStringLiteral("|GET|AUDIO|DICTATION|%1|0").arg(name), answer, QString(), info));
    EXPECT_TRUE(answer.startsWith(name + QStringLiteral("|DICTATED|")));

    RelayHubServer broken;
    EXPECT_FALSE(broken.OpenEmbedded(dir.filePath(QStringLiteral("missing/dir/x.db"))));
    EXPECT_FALSE(broken.LastError().isEmpty());
}

TEST(RelayHubServerHttp, NoAnswerWithinTheTimeOutIsFalse) {
    RelayHubServer server;
    EXPECT_FALSE(server.ConnectHttp(QStringLiteral("ftp://example"), QString(), QString()));
    // A listener that never answers.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    ASSERT_TRUE(server.ConnectHttp(QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()),
                                   QStringLiteral("u"), QStringLiteral("p"), 500, 500));
    QString answer, info;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(server.RequestProcess(QStringLiteral("|GET|COLOR|"), answer, QString(), info));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(server.LastError().isEmpty());
}
