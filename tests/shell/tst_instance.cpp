#include "shell/InstanceChannel.h"
#include "support/TestMain.h"

#include <QThread>
#include <QtTest>

// The running copy answers from its own event loop, so it lives in a thread
// of its own while the test asks as a second copy would.
class AnsweringCopy : public QThread
{
public:
    AnsweringCopy(QString base, QString className, QString caption)
        : m_base(std::move(base)), m_class(std::move(className)), m_caption(std::move(caption)) {}

    void setCaption(const QString &caption)
    {
        QMutexLocker lock(&m_mutex);
        m_caption = caption;
    }
    QSemaphore ready;

protected:
    void run() override
    {
        InstanceServer server([this] {
            QMutexLocker lock(&m_mutex);
            return InstanceServer::WindowInfo{m_class, m_caption};
        }, nullptr, m_base);
        m_listening = server.isListening();
        ready.release();
        exec();
    }

public:
    bool m_listening = false;

private:
    QString m_base, m_class, m_caption;
    QMutex m_mutex;
};

class InstanceTest : public QObject
{
    Q_OBJECT
private slots:
    void noCopyRunningIsNoHit();
    void sameClassAndCaptionIsAHit_data();
    void sameClassAndCaptionIsAHit();
    void aCaptionChangedWhileRunningIsSeenAtOnce();
    void twoCopiesBothAnswer();

private:
    QString base() const
    {
        return QStringLiteral("toran-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(m_serial);
    }
    int m_serial = 0;
};

void InstanceTest::noCopyRunningIsNoHit()
{
    ++m_serial;
    QVERIFY(!findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()));
}

void InstanceTest::sameClassAndCaptionIsAHit_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hit");
    QTest::newRow("running copy") << "THlavniDialog" << QStringLiteral("Toranská věž 2000") << true;
    QTest::newRow("boss screen caption") << "THlavniDialog" << QStringLiteral("Plnění plánu v letošním roce") << false;
    QTest::newRow("other window class") << "TPomocnikDialog" << QStringLiteral("Toranská věž 2000") << false;
    QTest::newRow("caption without accents") << "THlavniDialog" << QStringLiteral("Toranska vez 2000") << false;
}

void InstanceTest::sameClassAndCaptionIsAHit()
{
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(bool, hit);
    ++m_serial;
    AnsweringCopy copy(base(), className, caption);
    copy.start();
    copy.ready.acquire();
    QVERIFY(copy.m_listening);
    QCOMPARE(findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()), hit);
    copy.quit();
    copy.wait();
}

void InstanceTest::aCaptionChangedWhileRunningIsSeenAtOnce()
{
    ++m_serial;
    AnsweringCopy copy(base(), "THlavniDialog", QStringLiteral("Toranská věž 2000"));
    copy.start();
    copy.ready.acquire();
    QVERIFY(findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()));
    copy.setCaption(QStringLiteral("Plnění plánu v letošním roce"));
    QVERIFY(!findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()));
    copy.setCaption(QStringLiteral("Toranská věž 2000"));
    QVERIFY(findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()));
    copy.quit();
    copy.wait();
}

// A copy started under the boss screen runs too; either may be the one found.
void InstanceTest::twoCopiesBothAnswer()
{
    ++m_serial;
    AnsweringCopy hidden(base(), "THlavniDialog", QStringLiteral("Plnění plánu v letošním roce"));
    hidden.start();
    hidden.ready.acquire();
    AnsweringCopy second(base(), "THlavniDialog", QStringLiteral("Toranská věž 2000"));
    second.start();
    second.ready.acquire();
    QVERIFY(hidden.m_listening && second.m_listening);
    QVERIFY(findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()));
    second.quit();
    second.wait();
    QVERIFY(!findRunningCopy("THlavniDialog", QStringLiteral("Toranská věž 2000"), base()));
    hidden.quit();
    hidden.wait();
}

TORAN_TEST_GUILESS_MAIN(InstanceTest)
#include "tst_instance.moc"
