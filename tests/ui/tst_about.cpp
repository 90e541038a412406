// The About dialog: the version line, the icon, and the two links, which open in the browser
// while the dialog stays open.
#include "about.h"
#include "appidentity.h"
#include "veltora.h"
#include "windowtest.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

class tst_About : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the browser.
    void openUrl(const QUrl &url) { urls.append(url); }

private slots:
    void showsVersionAndOpensLinks();

private:
    QList<QUrl> urls;
};

void tst_About::showsVersionAndOpensLinks()
{
    Veltora window;
    QString shown;
    QPixmap icon;
    WindowTest::answerModals(WindowTest::action(window, "actionAbout"), {[&](QWidget *about) {
        shown = about->findChild<QLabel *>("labelVersion")->text();
        icon = about->findChild<QLabel *>("labelIcon")->property("pixmap").value<QPixmap>();
        static_cast<QDialog *>(about)->accept();
    }});
    QCOMPARE(shown, "Veltora " + QLatin1String(AppIdentity::applicationVersion) + " (x64)");
    QVERIFY(!icon.isNull());
    QVERIFY(window.findChildren<About *>().isEmpty());

    About about(nullptr, QStringLiteral("3.2.0"));
    about.show();
    QApplication::setActiveWindow(&about);
    QVERIFY(QTest::qWaitForWindowActive(&about));
    // The links are reachable from the keyboard: Tab moves to the next one, Return opens it.
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    auto *credit = about.findChild<QLabel *>("label");
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
