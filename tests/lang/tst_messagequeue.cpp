#include <QTest>

#include "lang/DeferredMessageQueue.h"
#include "lang/LanguageState.h"
#include "lang/Messages.h"
#include "support/ScriptedMessageService.h"

namespace {

std::string numbered(int n)
{
    return "message " + std::to_string(n);
}

} // namespace

class TestMessageQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capacity_data();
    void capacity();
    void showsEachTextInOrderThenEmpties();
    void languageNames_data();
    void languageNames();
    void startLanguageFromLocale_data();
    void startLanguageFromLocale();
};

void TestMessageQueue::capacity_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("last");

    QTest::newRow("empty") << 0 << 1 << 0 << "";
    QTest::newRow("one") << 1 << 1 << 1 << "message 1";
    QTest::newRow("exactly full") << 1001 << 1 << 1001 << "message 1001";
    QTest::newRow("one too many") << 1002 << 1 << 1001 << "... and 2 more messages";
    QTest::newRow("far too many") << 5000 << 1 << 1001 << "... and 4000 more messages";
    QTest::newRow("far too many, Chinese") << 5000 << 2 << 1001 << "……另有 4000 条消息";
}

void TestMessageQueue::capacity()
{
    QFETCH(int, added);
    QFETCH(int, language);
    QFETCH(int, shown);
    QFETCH(QString, last);

    DeferredMessageQueue queue;
    for (int n = 1; n <= added; ++n)
        queue.add(numbered(n));
    QCOMPARE(queue.count(), static_cast<std::size_t>(added));

    const std::vector<std::string> texts = queue.takeAll(language);
    QCOMPARE(static_cast<int>(texts.size()), shown);
    for (int n = 1; n <= std::min(shown, 1000); ++n)
        QCOMPARE(texts[static_cast<std::size_t>(n - 1)], numbered(n));
    if (shown > 0)
        QCOMPARE(QString::fromStdString(texts.back()), last);
    QVERIFY(queue.empty());
    QVERIFY(queue.takeAll(language).empty());
}

void TestMessageQueue::showsEachTextInOrderThenEmpties()
{
    DeferredMessageQueue queue;
    queue.add(std::string(textFor(Messages::kModelMismatch, English)));
    queue.add("second");
    ScriptedMessageService messages;
    queue.show(messages, English);

    QCOMPARE(messages.questions.size(), std::size_t(2));
    QCOMPARE(messages.questions[0].text, std::string("Model type is wrong."));
    QCOMPARE(messages.questions[1].text, std::string("second"));
    for (const auto &question : messages.questions)
        QVERIFY(question.buttons == MessageButtons::Ok);
    QCOMPARE(queue.count(), std::size_t(0));

    queue.show(messages, English);
    QCOMPARE(messages.questions.size(), std::size_t(2));
}

void TestMessageQueue::languageNames_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("shownIn");
    QTest::addColumn<QString>("name");
    QTest::newRow("English in English") << 1 << 1 << "English";
    QTest::newRow("Chinese in English") << 2 << 1 << "Chinese";
    QTest::newRow("English in Chinese") << 1 << 2 << "英语";
    QTest::newRow("Chinese in Chinese") << 2 << 2 << "中文";
}

void TestMessageQueue::languageNames()
{
    QFETCH(int, language);
    QFETCH(int, shownIn);
    QFETCH(QString, name);
    QCOMPARE(QString::fromUtf8(languageName(language, shownIn)), name);
}

void TestMessageQueue::startLanguageFromLocale_data()
{
    QTest::addColumn<int>("localeId");
    QTest::addColumn<int>("language");
    QTest::newRow("Chinese (PRC)") << 0x0804 << 2;
    QTest::newRow("English (US)") << 0x0409 << 1;
    QTest::newRow("Chinese (Taiwan)") << 0x0404 << 1;
    QTest::newRow("German") << 0x0407 << 1;
}

void TestMessageQueue::startLanguageFromLocale()
{
    QFETCH(int, localeId);
    QFETCH(int, language);
    LanguageState state;
    state.startFromLocale(localeId);
    QCOMPARE(state.languageIndex, language);
    QCOMPARE(state.systemLanguageClass, language);
    QCOMPARE(state.shownLanguage, language);
    QCOMPARE(state.chineseOffered(), language == Chinese);
    QVERIFY(!state.relabelPending());
}

QTEST_APPLESS_MAIN(TestMessageQueue)
#include "tst_messagequeue.moc"
