#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QtTest>

#include "widgets/TURL.h"

// Stands in for the desktop's handlers: every address handed over is recorded, none opened.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    QStringList opened;

public slots:
    void Open(const QUrl& url) { opened.append(url.toString()); }
};

class TURLTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const char* scheme : {"http", "https", "mailto", "ftp", "news"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &urls_, "Open");
    }
    void cleanupTestCase() {
        for (const char* scheme : {"http", "https", "mailto", "ftp", "news"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    void init() { urls_.opened.clear(); }

    void EmptyAddressOpensNothing() {
        TURL url;
        QCOMPARE(url.URLType(), TURLType::utHttp);
        QVERIFY(url.URL().empty());
        QVERIFY(!url.Execute());
        url.SetURLType(TURLType::utMailto);
        QVERIFY(!url.Execute());
        QVERIFY(urls_.opened.isEmpty());
    }

    void PrefixGoesStraightBeforeTheAddress_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("mail has no slashes") << int(TURLType::utMailto) << "quavrel@example.org"
                                             << "mailto:quavrel@example.org";
        QTest::newRow("web page") << int(TURLType::utHttp) << "www.example.org/quavrel/"
                                  << "http://www.example.org/quavrel/";
        QTest::newRow("secure page") << int(TURLType::utHttps) << "www.example.org/"
                                     << "https://www.example.org/";
        QTest::newRow("news group") << int(TURLType::utNews) << "comp.os.linux"
                                    << "news:comp.os.linux";
    }
    void PrefixGoesStraightBeforeTheAddress() {
        QFETCH(int, type);
        QFETCH(QString, address);
        QFETCH(QString, opened);
        TURL url;
        url.SetURLType(static_cast<TURLType>(type));
        url.SetURL(address.toStdString());
        QVERIFY(url.Execute());
        QCOMPARE(urls_.opened, QStringList{opened});
    }

    void AddressTooLongIsRefusedNotCut() {
        TURL url;
        const std::string prefix = "www.example.org/";  // 7 + 16 characters with "http://"
        url.SetURL(prefix + std::string(79 - 7 - prefix.size(), 'a'));
        QVERIFY(url.Execute());
        QCOMPARE(urls_.opened.size(), 1);
        QCOMPARE(urls_.opened[0].size(), 79);

        url.SetURL(prefix + std::string(80 - 7 - prefix.size(), 'a'));
        QVERIFY(!url.Execute());
        QCOMPARE(urls_.opened.size(), 1);
    }

private:
    OpenedUrls urls_;
};

QTEST_MAIN(TURLTest)
#include "TURLTest.moc"
