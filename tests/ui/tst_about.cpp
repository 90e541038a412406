// The About dialog: the version line, the icon and the whole credit, and the two links, which open
// in the browser while the dialog stays open.
#include "about.h"
#include "appidentity.h"
#include "veltora.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QUrl>

class tst_About : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the browser.
    void openUrl(const QUrl &url) { urls.append(url); }

private slots:
    void aboutCommandShowsNameWithEmptyVersion();
    void linksOpenInBrowserAndDialogStays();

private:
    QList<QUrl> urls;
};

void tst_About::aboutCommandShowsNameWithEmptyVersion()
{
    Veltora window;
    QString shown;
    bool hasIcon = false;
    QTimer::singleShot(0, [&] {
        if (auto *about = qobject_cast<About *>(QApplication::activeModalWidget())) {
            shown = about->findChild<QLabel *>("labelVersion")->text();
            const QLabel *icon = about->findChild<QLabel *>("labelIcon");
            hasIcon = !icon->property("pixmap").value<QPixmap>().isNull();
            about->accept();
        }
    });
    window.findChild<QAction *>("actionAbout")->trigger();
    // Nothing ever fills the window's version text, so the name stands alone.
    QCOMPARE(shown, QStringLiteral("Veltora  (x64)"));
    QVERIFY(hasIcon);
    QVERIFY(window.findChildren<About *>().isEmpty());
}

void tst_About::linksOpenInBrowserAndDialogStays()
{
    About about(nullptr, QStringLiteral("3.2.0"));
    QCOMPARE(about.findChild<QLabel *>("labelVersion")->text(), QString("Veltora 3.2.0 (x64)"));
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    about.show();
    QApplication::setActiveWindow(&about);
    QVERIFY(QTest::qWaitForWindowActive(&about));
    auto *credit = about.findChild<QLabel *>("label");
    // The whole wrapped credit is visible, whatever fonts the system substitutes.
    QVERIFY(credit->height() >= credit->heightForWidth(credit->width()));
    // The links are reachable from the keyboard: Tab moves to the next one, Return opens it.
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    credit->setFocus();
    for (int link = 0; link < 2; ++link) {
        QTest::keyClick(credit, Qt::Key_Tab);
        QTest::keyClick(credit, Qt::Key_Return);
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(urls.size(), 2);
    QCOMPARE(urls.at(0).host(), QStringLiteral("wiki.qt.io"));
    QCOMPARE(urls.at(1).host(), "www." + QLatin1String(AppIdentity::organizationDomain));
    QVERIFY(urls.at(1).path().contains(QLatin1String("changelog")));
    QVERIFY(about.isVisible());
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
