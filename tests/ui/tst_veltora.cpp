// The main window as a user sees it right after start: title, colours, hidden panel, menus,
// validators, shortcuts and the update command.
#include "appidentity.h"
#include "veltora.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QPair>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QVector>

// Stands in for the browser: collects what the application asks to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};

class tst_Veltora : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleShowsVersion();
    void headerColoursAtStart_data();
    void headerColoursAtStart();
    void subclassPanelHiddenAtStart();
    void helpMenuShowsAboutAndUpdate();
    void onlyReclassDownToHasToolTip();
    void typingIsLimited_data();
    void typingIsLimited();
    void numbersReadLikeTheModelUnderGermanLocale_data();
    void numbersReadLikeTheModelUnderGermanLocale();
    void firstAxleWidgetsExistHidden();
    void shortcutsBrowseSubclasses_data();
    void shortcutsBrowseSubclasses();
    void checkForUpdatesOpensUpdatePage();
    void exitClosesWindow();

private:
    Veltora *window = nullptr;
};

static QtMessageHandler previousHandler = nullptr;
static QStringList slotNameWarnings;

// A renamed widget silently loses its on_ slot; Qt only says so in this warning.
static void failOnSlotNameWarnings(QtMsgType type, const QMessageLogContext &context,
                                   const QString &message)
{
    if (message.contains(QLatin1String("connectSlotsByName"))) {
        slotNameWarnings.append(message);
    }
    previousHandler(type, context, message);
}

void tst_Veltora::initTestCase()
{
    previousHandler = qInstallMessageHandler(failOnSlotNameWarnings);
}

void tst_Veltora::init()
{
    window = new Veltora;
}

void tst_Veltora::cleanup()
{
    delete window;
    window = nullptr;
    QVERIFY2(slotNameWarnings.isEmpty(), qPrintable(slotNameWarnings.join('\n')));
}

void tst_Veltora::titleShowsVersion()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Veltora v3.2.0"));
}

void tst_Veltora::headerColoursAtStart_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("style");
    const QString red = QStringLiteral("background-color: red");
    const QString lime = QStringLiteral("background-color: lime");
    QTest::newRow("version") << "lineEditVersion" << lime;
    QTest::newRow("country") << "lineEditCountry" << red;
    QTest::newRow("group max distance") << "lineEditGroupMaxDist" << red;
    QTest::newRow("min axle spacing") << "lineEditMinAxleSpacing" << lime;
    QTest::newRow("min avg axle weight") << "lineEditMinAvgAxleWeight" << lime;
    QTest::newRow("max axle distance") << "lineEditMaxAxleDist" << lime;
    QTest::newRow("min axle distance") << "lineEditMinAxleDist" << lime;
    QTest::newRow("unclassified") << "lineEditUnclassified" << red;
    QTest::newRow("uncategorised") << "lineEditUncategorised" << lime;
}

void tst_Veltora::headerColoursAtStart()
{
    QFETCH(QString, field);
    QFETCH(QString, style);
    auto *edit = window->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QCOMPARE(edit->styleSheet(), style);
    QVERIFY(edit->text().isEmpty());
}

void tst_Veltora::subclassPanelHiddenAtStart()
{
    window->show();
    for (const char *name : {"groupBoxSubclass", "groupBoxReclassify", "frameMiddle"}) {
        auto *widget = window->findChild<QWidget *>(name);
        QVERIFY2(widget && !widget->isVisible(), name);
    }
    QVERIFY(window->findChild<QWidget *>("groupBoxHeader")->isVisible());
    // Hidden panels keep their space, so showing them later does not move the rest.
    for (const char *name : {"frameSubclassBottom", "frameMiddle"}) {
        QVERIFY2(window->findChild<QWidget *>(name)->sizePolicy().retainSizeWhenHidden(), name);
    }
    QVERIFY(!window->findChild<QPushButton *>("buttonCopy")->isEnabled());
    QCOMPARE(window->findChild<QPushButton *>("buttonSubclass")->text(), QStringLiteral("New"));
}

void tst_Veltora::helpMenuShowsAboutAndUpdate()
{
    auto *help = window->findChild<QMenu *>("menuHelp");
    QVERIFY(help);
    QStringList shown;
    for (QAction *action : help->actions()) {
        if (action->isVisible()) {
            shown << action->text();
        }
    }
    QCOMPARE(shown, (QStringList{"About", "Check for Updates"}));
    QVERIFY(!window->findChild<QAction *>("actionHelp")->isEnabled());
    QVERIFY(window->findChild<QAction *>("actionUpdate")->isEnabled());
}

void tst_Veltora::onlyReclassDownToHasToolTip()
{
    QStringList withTip;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty()) {
            withTip << widget->objectName() + QLatin1Char('=') + widget->toolTip();
        }
    }
    QCOMPARE(withTip, QStringList{"lineEditReclassDownTo=test"});
}

void tst_Veltora::typingIsLimited_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("axles: 20 is the top") << "lineEditNumOfAxles" << "20" << "20";
    QTest::newRow("axles: 21 refused") << "lineEditNumOfAxles" << "21" << "2";
    QTest::newRow("axles: 30 refused") << "lineEditNumOfAxles" << "30" << "3";
    QTest::newRow("axles: 1 typable on the way") << "lineEditNumOfAxles" << "1" << "1";
    QTest::newRow("axles: no decimals") << "lineEditNumOfAxles" << "2.5" << "2";
    QTest::newRow("axles: no sign") << "lineEditNumOfAxles" << "-3" << "3";
    QTest::newRow("category: whole numbers") << "lineEditCategory" << "4.5" << "45";
    QTest::newRow("group max: real") << "lineEditGroupMaxDist" << "12.75" << "12.75";
    QTest::newRow("group max: no letters") << "lineEditGroupMaxDist" << "1x" << "1";
    QTest::newRow("country: anything") << "lineEditCountry" << "si" << "si";
}

void tst_Veltora::typingIsLimited()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    auto *edit = window->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QTest::keyClicks(edit, keys);
    QCOMPARE(edit->text(), shown);
}

void tst_Veltora::numbersReadLikeTheModelUnderGermanLocale_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("header real: point") << "lineEditMinAxleDist" << "1.5" << "1.5";
    QTest::newRow("header real: comma refused") << "lineEditMinAxleDist" << "1,5" << "15";
    QTest::newRow("gross weight: comma refused") << "lineEditMaxGrossWeight" << "40,5" << "405";
    QTest::newRow("constraint value: comma refused") << "lineEditAddConstraint" << "1,5" << "15";
    QTest::newRow("axle weight: comma refused") << "MaxAxleWeightEdit1" << "7,5" << "75";
    QTest::newRow("whole: German grouping refused") << "lineEditCategory" << "1.000" << "1000";
    QTest::newRow("whole: grouping refused") << "lineEditUnclassified" << "1,000" << "1000";
}

void tst_Veltora::numbersReadLikeTheModelUnderGermanLocale()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Veltora german;
    QLocale::setDefault(previous);
    auto *edit = german.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QTest::keyClicks(edit, keys);
    QCOMPARE(edit->text(), shown);
}

void tst_Veltora::firstAxleWidgetsExistHidden()
{
    const QVector<QPair<const char *, const char *>> expected{
        {"frameMaxAxleWeightsEdits", "MaxAxleWeightEdit1"},
        {"frameMaxAxleWeightsBoxes", "MaxAxleWeightBox1"},
        {"frameTyreTypes", "TyreType1"},
    };
    for (const auto &e : expected) {
        // The editor finds these by position: the frame's label (or spacer) first, axle 1 next.
        QLayout *layout = window->findChild<QFrame *>(e.first)->layout();
        QCOMPARE(layout->count(), 2);
        QWidget *widget = layout->itemAt(1)->widget();
        QVERIFY2(widget && widget->objectName() == QLatin1String(e.second), e.second);
        QVERIFY(widget->isHidden());
    }
    QCOMPARE(window->findChild<QCheckBox *>("MaxAxleWeightBox1")->text(), QStringLiteral("1 "));
    auto *weight = window->findChild<QLineEdit *>("MaxAxleWeightEdit1");
    QTest::keyClicks(weight, "2.5");
    QCOMPARE(weight->text(), QStringLiteral("2.5"));
    auto *tyre = window->findChild<QLineEdit *>("TyreType1");
    QTest::keyClicks(tyre, "2.5");
    QCOMPARE(tyre->text(), QStringLiteral("25"));
}

void tst_Veltora::shortcutsBrowseSubclasses_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("start");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("selected");
    const QKeySequence up(Qt::Key_Up), down(Qt::Key_Down);
    const QKeySequence altLeft(Qt::ALT + Qt::Key_Left), altRight(Qt::ALT + Qt::Key_Right);
    QTest::newRow("up at the first stays") << 3 << 0 << up << 0;
    QTest::newRow("alt+left at the first stays") << 3 << 0 << altLeft << 0;
    QTest::newRow("down at the last stays") << 3 << 2 << down << 2;
    QTest::newRow("alt+right at the last stays") << 3 << 2 << altRight << 2;
    QTest::newRow("up moves one above") << 3 << 1 << up << 0;
    QTest::newRow("alt+left moves one above") << 3 << 2 << altLeft << 1;
    QTest::newRow("down moves one below") << 3 << 1 << down << 2;
    QTest::newRow("alt+right moves one below") << 3 << 0 << altRight << 1;
    QTest::newRow("single entry: down stays") << 1 << 0 << down << 0;
    QTest::newRow("empty list: up changes nothing") << 0 << -1 << up << -1;
    QTest::newRow("empty list: down changes nothing") << 0 << -1 << down << -1;
}

void tst_Veltora::shortcutsBrowseSubclasses()
{
    QFETCH(int, count);
    QFETCH(int, start);
    QFETCH(QKeySequence, keys);
    QFETCH(int, selected);
    auto *subclasses = window->findChild<QComboBox *>("comboBoxSubclasses");
    for (int i = 1; i <= count; ++i) {
        subclasses->addItem(QStringLiteral("subclass_%1").arg(i));
    }
    subclasses->setCurrentIndex(start);
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));

    QTest::keySequence(window, keys);
    QCOMPARE(subclasses->currentIndex(), selected);
}

void tst_Veltora::checkForUpdatesOpensUpdatePage()
{
    UrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
    auto *update = window->findChild<QAction *>("actionUpdate");
    update->trigger();
    update->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    QCOMPARE(browser.urls.size(), 2);
    QCOMPARE(browser.urls.at(1), browser.urls.at(0));
    const QUrl url = browser.urls.at(0);
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QVERIFY(url.host().endsWith(QLatin1Char('.') + QLatin1String(AppIdentity::organizationDomain)));
    QCOMPARE(url.path(), QStringLiteral("/ls.php"));
    QCOMPARE(url.query(), QStringLiteral("sw=zelvo-veltora&ch=stable"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Veltora v3.2.0"));
}

void tst_Veltora::exitClosesWindow()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->findChild<QAction *>("actionExit")->trigger();
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(tst_Veltora)
#include "tst_veltora.moc"
