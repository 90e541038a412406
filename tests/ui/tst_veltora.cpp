// The main window as a user sees it right after start: title, colours, hidden panel, menus,
// validators, shortcuts and the update command.
#include "appidentity.h"
#include "veltora.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace {

QtMessageHandler previousHandler = nullptr;
QStringList slotNameWarnings;

// A renamed widget silently loses its on_ slot; Qt only says so in this warning.
void failOnSlotNameWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("connectSlotsByName"))) {
        slotNameWarnings.append(text);
    }
    previousHandler(type, context, text);
}

} // namespace

class tst_Veltora : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the browser.
    void openUrl(const QUrl &url) { urls.append(url); }

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(failOnSlotNameWarnings); }
    void init() { window = new Veltora; }
    void cleanup();

    void startsAsTheUserSeesIt();
    void typingIsLimited_data();
    void typingIsLimited();
    void shortcutsBrowseSubclasses_data();
    void shortcutsBrowseSubclasses();
    void updateOpensUpdatePageAndExitCloses();

private:
    Veltora *window = nullptr;
    QList<QUrl> urls;
};

void tst_Veltora::cleanup()
{
    delete window;
    QVERIFY2(slotNameWarnings.isEmpty(), qPrintable(slotNameWarnings.join('\n')));
}

void tst_Veltora::startsAsTheUserSeesIt()
{
    window->show();
    QCOMPARE(window->windowTitle(), QStringLiteral("Veltora v3.2.0"));
    const QStringList red = {"lineEditCountry", "lineEditGroupMaxDist", "lineEditUnclassified"};
    for (const char *name : {"lineEditVersion", "lineEditCountry", "lineEditGroupMaxDist",
             "lineEditMinAxleSpacing", "lineEditMinAvgAxleWeight", "lineEditMaxAxleDist",
             "lineEditMinAxleDist", "lineEditUnclassified", "lineEditUncategorised"}) {
        const QString colour = red.contains(name) ? "red" : "lime";
        QCOMPARE(window->findChild<QLineEdit *>(name)->styleSheet(), "background-color: " + colour);
    }
    for (const char *name : {"groupBoxSubclass", "groupBoxReclassify", "frameMiddle"}) {
        QVERIFY2(!window->findChild<QWidget *>(name)->isVisible(), name);
    }
    // Hidden panels keep their space, so showing them later does not move the rest.
    for (const char *name : {"frameSubclassBottom", "frameMiddle"}) {
        QVERIFY2(window->findChild<QWidget *>(name)->sizePolicy().retainSizeWhenHidden(), name);
    }
    QVERIFY(!window->findChild<QPushButton *>("buttonCopy")->isEnabled());
    QStringList help;
    for (QAction *action : window->findChild<QMenu *>("menuHelp")->actions()) {
        if (action->isVisible()) {
            help << action->text();
        }
    }
    QCOMPARE(help, (QStringList {"About", "Check for Updates"}));
    QStringList tips;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty()) {
            tips << widget->objectName() + '=' + widget->toolTip();
        }
    }
    QCOMPARE(tips, QStringList {"lineEditReclassDownTo=test"});
    // The editor finds axle 1's widgets by position: the frame's label first, axle 1 next.
    for (const QString names : {"frameMaxAxleWeightsEdits MaxAxleWeightEdit1",
             "frameMaxAxleWeightsBoxes MaxAxleWeightBox1", "frameTyreTypes TyreType1"}) {
        QLayout *layout = window->findChild<QFrame *>(names.section(' ', 0, 0))->layout();
        QCOMPARE(layout->count(), 2);
        QCOMPARE(layout->itemAt(1)->widget()->objectName(), names.section(' ', 1));
        QVERIFY(layout->itemAt(1)->widget()->isHidden());
    }
}

void tst_Veltora::typingIsLimited_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("german");
    const auto row = [](const char *name, const char *field, const char *keys, const char *shown,
                         bool german = false) {
        QTest::newRow(name) << QString(field) << QString(keys) << QString(shown) << german;
    };
    row("axles: 20 is the top", "lineEditNumOfAxles", "20", "20");
    row("axles: 21 refused", "lineEditNumOfAxles", "21", "2");
    row("axles: 1 typable on the way", "lineEditNumOfAxles", "1", "1");
    row("axles: no decimals, no sign", "lineEditNumOfAxles", "-2.5", "2");
    row("category: whole numbers", "lineEditCategory", "4.5", "45");
    row("group max: real, no letters", "lineEditGroupMaxDist", "12.7x5", "12.75");
    row("axle 1 tyre: whole", "TyreType1", "2.5", "25");
    row("German: point read, comma refused", "lineEditMinAxleDist", "1,.5", "1.5", true);
    row("German: constraint", "lineEditAddConstraint", "1,.5", "1.5", true);
    row("German: axle weight", "MaxAxleWeightEdit1", "7,.5", "7.5", true);
    row("German: grouping refused", "lineEditCategory", "1.000", "1000", true);
    row("German: C grouping refused", "lineEditUnclassified", "1,000", "1000", true);
}

void tst_Veltora::typingIsLimited()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(bool, german);
    // The fields accept exactly what the model reads, whatever the system's locale.
    const QLocale previous;
    QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
    Veltora made;
    QLocale::setDefault(previous);
    auto *edit = made.findChild<QLineEdit *>(field);
    QTest::keyClicks(edit, keys);
    QCOMPARE(edit->text(), shown);
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
    QTest::newRow("down moves one below") << 3 << 1 << down << 2;
    QTest::newRow("alt+left moves one above") << 3 << 2 << altLeft << 1;
    QTest::newRow("alt+right moves one below") << 3 << 0 << altRight << 1;
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

void tst_Veltora::updateOpensUpdatePageAndExitCloses()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    window->findChild<QAction *>("actionUpdate")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(urls.size(), 1);
    QVERIFY(urls.at(0).host().endsWith('.' + QLatin1String(AppIdentity::organizationDomain)));
    QCOMPARE(urls.at(0).scheme() + urls.at(0).path() + '?' + urls.at(0).query(),
        QStringLiteral("https/ls.php?sw=zelvo-veltora&ch=stable"));

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->findChild<QAction *>("actionExit")->trigger();
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(tst_Veltora)
#include "tst_veltora.moc"
