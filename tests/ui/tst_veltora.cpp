// The main window as a user sees it right after start: title, colours, hidden panel, menus,
// validators, shortcuts and the update command.
#include "appidentity.h"
#include "veltora.h"
#include "windowtest.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLocale>
#include <QTest>
#include <QUrl>

class tst_Veltora : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the browser.
    void openUrl(const QUrl &url) { urls.append(url); }

private slots:
    void init()
    {
        log.reset(new WindowTest::MessageLog);
        window.reset(new Veltora);
    }
    void cleanup();

    void startsAsTheUserSeesIt();
    void typingIsLimited_data();
    void typingIsLimited();
    void shortcutsBrowseSubclasses_data();
    void shortcutsBrowseSubclasses();
    void updateOpensUpdatePageAndExitCloses();
    void updateWithoutBrowserShowsTheAddress();

private:
    QScopedPointer<WindowTest::MessageLog> log;
    QScopedPointer<Veltora> window;
    QList<QUrl> urls;
};

void tst_Veltora::cleanup()
{
    window.reset();
    // A renamed widget silently loses its on_ slot; Qt only says so in this warning.
    QCOMPARE(log->lines().filter("connectSlotsByName"), QStringList());
    log.reset();
}

void tst_Veltora::startsAsTheUserSeesIt()
{
    window->show();
    QCOMPARE(window->windowTitle(), QStringLiteral("Veltora v3.2.0[*]"));
    for (const char *name : {"groupBoxSubclass", "groupBoxReclassify", "frameMiddle"}) {
        QVERIFY2(!window->findChild<QWidget *>(name)->isVisible(), name);
    }
    // Axle 1's widgets exist from the start, hidden until there is a subclass to edit.
    QVERIFY(WindowTest::field(*window, "TyreType1")->isHidden());
}

void tst_Veltora::typingIsLimited_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("german");
    const auto row = [](const char *name, const char *field, const char *keys, const char *shown,
                         bool german) {
        QTest::newRow(name) << QString(field) << QString(keys) << QString(shown) << german;
    };
    row("axles: 21 refused", "lineEditNumOfAxles", "21", "2", false);
    row("axles: 1 typable on the way", "lineEditNumOfAxles", "1", "1", false);
    // The fields accept exactly what the model reads, whatever the system's locale.
    row("German: point read", "lineEditMinAxleDist", "1,.5", "1.5", true);
    row("German: axle 1 weight", "MaxAxleWeightEdit1", "7,.5", "7.5", true);
    row("German: grouping refused", "lineEditCategory", "1.000", "1000", true);
}

void tst_Veltora::typingIsLimited()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(bool, german);
    const QLocale previous;
    QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
    Veltora made;
    QLocale::setDefault(previous);
    QTest::keyClicks(WindowTest::field(made, field), keys);
    QCOMPARE(WindowTest::field(made, field)->text(), shown);
}

void tst_Veltora::shortcutsBrowseSubclasses_data()
{
    // Three subclasses: the key pressed three times from one end moves one step at a time and
    // stays at the other end. Start -1 is an empty list, which stays without a selection.
    QTest::addColumn<int>("start");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("selected");
    QTest::newRow("up") << 2 << QKeySequence(Qt::Key_Up) << "1 0 0";
    QTest::newRow("alt+left") << 2 << QKeySequence(Qt::ALT + Qt::Key_Left) << "1 0 0";
    QTest::newRow("down") << 0 << QKeySequence(Qt::Key_Down) << "1 2 2";
    QTest::newRow("alt+right") << 0 << QKeySequence(Qt::ALT + Qt::Key_Right) << "1 2 2";
    QTest::newRow("empty list") << -1 << QKeySequence(Qt::Key_Down) << "-1 -1 -1";
}

void tst_Veltora::shortcutsBrowseSubclasses()
{
    QFETCH(int, start);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, selected);
    auto *subclasses = window->findChild<QComboBox *>("comboBoxSubclasses");
    for (int i = 1; start >= 0 && i <= 3; ++i) {
        subclasses->addItem(QStringLiteral("subclass_%1").arg(i));
    }
    subclasses->setCurrentIndex(start);
    window->show();
    QApplication::setActiveWindow(window.data());
    QVERIFY(QTest::qWaitForWindowActive(window.data()));
    QStringList indices;
    for (int i = 0; i < 3; ++i) {
        QTest::keySequence(window.data(), keys);
        indices << QString::number(subclasses->currentIndex());
    }
    QCOMPARE(indices.join(' '), selected);
}

void tst_Veltora::updateOpensUpdatePageAndExitCloses()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    window->findChild<QAction *>("actionUpdate")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(urls.size(), 1);
    QVERIFY(urls.at(0).host().endsWith('.' + QLatin1String(AppIdentity::organizationDomain)));
    QCOMPARE(urls.at(0).scheme() + urls.at(0).path() + '?' + urls.at(0).query(),
        QStringLiteral("https/ls.php?sw=zelvo-veltora&ch=stable"));
    QVERIFY(!window->findChild<QMessageBox *>());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    window->findChild<QAction *>("actionExit")->trigger();
    QVERIFY(!window->isVisible());
}

void tst_Veltora::updateWithoutBrowserShowsTheAddress()
{
    // Offscreen no browser can be started. The box is open when the command returns: it does
    // not hold up the editor.
    window->show();
    window->findChild<QAction *>("actionUpdate")->trigger();
    auto *box = window->findChild<QMessageBox *>();
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowTitle() + ": " + box->text(),
        QString("Check for Updates: No web browser could be started. The update page is:\n"
                "https://updates.marlek.example/ls.php?sw=zelvo-veltora&ch=stable"));
    QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    box->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(!window->findChild<QMessageBox *>());
}

QTEST_MAIN(tst_Veltora)
#include "tst_veltora.moc"
