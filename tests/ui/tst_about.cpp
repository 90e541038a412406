// The About dialog: the version line, the icon from the resources, and the two links, which open
// in the browser while the dialog stays open.
#include "about.h"
#include "appidentity.h"
#include "veltora.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

// Stands in for the browser: collects what the dialog asks to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};

class tst_About : public QObject
{
    Q_OBJECT

private slots:
    void versionLine_data();
    void versionLine();
    void showsIconAndWholeCredit();
    void linksOpenInBrowserAndDialogStays();
    void closes_data();
    void closes();
    void aboutCommandShowsEmptyVersion();
};

void tst_About::versionLine_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty version: two blanks") << "" << "Veltora  (x64)";
    QTest::newRow("a version") << "3.2.0" << "Veltora 3.2.0 (x64)";
}

void tst_About::versionLine()
{
    QFETCH(QString, version);
    QFETCH(QString, shown);
    About about(nullptr, version);
    QCOMPARE(about.findChild<QLabel *>("labelVersion")->text(), shown);
}

void tst_About::showsIconAndWholeCredit()
{
    About about(nullptr, QString());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    // The whole wrapped credit is visible, whatever fonts the system substitutes.
    const QWidget *credit = about.findChild<QLabel *>("label");
    QVERIFY(credit->height() >= credit->heightForWidth(credit->width()));
    const QLabel *label = about.findChild<QLabel *>("labelIcon");
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    QVERIFY(!label->pixmap(Qt::ReturnByValue).isNull());
#else
    QVERIFY(label->pixmap() && !label->pixmap()->isNull());
#endif
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
}

void tst_About::linksOpenInBrowserAndDialogStays()
{
    UrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
    About about(nullptr, QString());
    about.show();
    QApplication::setActiveWindow(&about);
    QVERIFY(QTest::qWaitForWindowActive(&about));
    auto *credit = about.findChild<QLabel *>("label");
    credit->setFocus();
    // The links are reachable from the keyboard: Tab moves to the next one, Return opens it.
    QTest::keyClick(credit, Qt::Key_Tab);
    QTest::keyClick(credit, Qt::Key_Return);
    QTest::keyClick(credit, Qt::Key_Tab);
    QTest::keyClick(credit, Qt::Key_Return);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    QCOMPARE(browser.urls.size(), 2);
    QCOMPARE(browser.urls.at(0).host(), QStringLiteral("wiki.qt.io"));
    QVERIFY(browser.urls.at(1).host().endsWith(QLatin1String(AppIdentity::organizationDomain)));
    QVERIFY(browser.urls.at(1).path().contains(QLatin1String("changelog")));
    QVERIFY(about.isVisible());
}

void tst_About::closes_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("OK") << false;
    QTest::newRow("Escape") << true;
}

void tst_About::closes()
{
    QFETCH(bool, escape);
    About about(nullptr, QString());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    if (escape) {
        QTest::keyClick(&about, Qt::Key_Escape);
    } else {
        about.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }
    QVERIFY(!about.isVisible());
}

void tst_About::aboutCommandShowsEmptyVersion()
{
    Veltora window;
    QString shown;
    QPointer<About> seen;
    int attempts = 0;
    std::function<void()> look = [&] {
        if (auto *about = qobject_cast<About *>(QApplication::activeModalWidget())) {
            seen = about;
            shown = about->findChild<QLabel *>("labelVersion")->text();
            about->accept();
        } else if (++attempts < 200) {
            QTimer::singleShot(10, look);
        }
    };
    QTimer::singleShot(0, look);
    window.findChild<QAction *>("actionAbout")->trigger();
    // Nothing ever fills the window's version text, so the name stands alone.
    QCOMPARE(shown, QStringLiteral("Veltora  (x64)"));
    QVERIFY(!seen);
    QVERIFY(window.findChildren<About *>().isEmpty());
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
