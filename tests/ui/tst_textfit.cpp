// Text that always fits: every visible label, button and line edit of the window and of both
// dialogs is wide enough for its text, with each example open in each unit combination and
// each of its subclasses selected. Run at scale 1 and again with QT_SCALE_FACTOR=2.
#include "measurementunits.h"
#include "veltora.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QtTest>

using namespace WindowTest;

namespace {

// Lets the layouts settle: each level of nesting is laid out from an event of its own.
void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

// The room a widget leaves its text as it draws it: a label its contents, an edit its contents
// less two pixels either side and one for the cursor, a button the part beside its indicator.
int room(QWidget *widget)
{
    QStyle *style = widget->style();
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        return label->contentsRect().width() - 2 * label->margin() - qMax(label->indent(), 0);
    }
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        const QRect contents = style->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        return contents.marginsRemoved(edit->textMargins()).width() - 5;
    }
    QStyleOptionButton option;
    option.initFrom(widget);
    const QStyle::SubElement contents = qobject_cast<QCheckBox *>(widget)
        ? QStyle::SE_CheckBoxContents
        : qobject_cast<QRadioButton *>(widget) ? QStyle::SE_RadioButtonContents
                                               : QStyle::SE_PushButtonContents;
    return style->subElementRect(contents, &option, widget).width();
}

// "name "text" needs N, has M" for every visible text under `root` that does not fit; an edit
// must also have room for the widest number a field shows, a wrapped label for its lines.
QStringList clippedTexts(QWidget *root)
{
    QStringList clipped;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        auto *label = qobject_cast<QLabel *>(widget);
        auto *edit = qobject_cast<QLineEdit *>(widget);
        auto *button = qobject_cast<QAbstractButton *>(widget);
        QStringList texts;
        if (label) {
            texts << label->text();
        } else if (button) {
            texts << button->text().remove('&');
        } else if (edit) {
            texts << (edit->text().isEmpty() ? edit->placeholderText() : edit->text())
                  << "888888.88";
        }
        for (const QString &text : texts) {
            const bool wrapped = label && label->wordWrap();
            const int needs = wrapped ? label->heightForWidth(label->width())
                                      : widget->fontMetrics().horizontalAdvance(text);
            const int has = wrapped ? label->height() : room(widget);
            if (widget->isVisible() && !text.isEmpty() && needs > has) {
                clipped << QString("%1 \"%2\" needs %3, has %4")
                               .arg(widget->objectName(), text)
                               .arg(needs)
                               .arg(has);
            }
        }
    }
    return clipped;
}

} // namespace

class tst_TextFit : public QObject
{
    Q_OBJECT

private slots:
    void everyTextFits_data();
    void everyTextFits();
    void captionsReadApart();
};

void tst_TextFit::everyTextFits_data()
{
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("length");
    for (const char *example : {"european.conf", "warnings.conf"}) {
        for (const char *weight : {"Tons", "Pounds", "KN"}) {
            for (const char *length : {"Meters", "Feet", "Inches"}) {
                QTest::addRow("%s %s %s", example, weight, length)
                    << QString(example) << QString(weight) << QString(length);
            }
        }
    }
}

void tst_TextFit::everyTextFits()
{
    QFETCH(QString, example);
    QFETCH(QString, weight);
    QFETCH(QString, length);
    Veltora window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    open(window, sourceFile("examples/" + example));

    QStringList clipped;
    const Answer chooseUnits = [&](QWidget *dialog) {
        dialog->findChild<QRadioButton *>("radioButton" + weight)->click();
        dialog->findChild<QRadioButton *>("radioButton" + length)->click();
        settle();
        clipped << clippedTexts(dialog);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    };
    QCOMPARE(answerModals(action(window, "actionConfiguration"), {chooseUnits}),
        QStringList {"Measurement units"});
    const Answer readAbout = [&](QWidget *dialog) {
        clipped << clippedTexts(dialog);
        dialog->close();
    };
    QCOMPARE(answerModals(action(window, "actionAbout"), {readAbout}), QStringList {"About"});

    auto *subclasses = window.findChild<QComboBox *>("comboBoxSubclasses");
    QVERIFY(subclasses->count() > 0);
    for (int i = 0; i < subclasses->count(); ++i) {
        subclasses->setCurrentIndex(i);
        settle();
        for (const QString &text : clippedTexts(&window)) {
            clipped << subclasses->currentText() + ": " + text;
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void tst_TextFit::captionsReadApart()
{
    Veltora window;
    window.show();
    open(window, sourceFile("examples/european.conf"));
    typeInto(field(window, "lineEditSubclass"), "14");
    settle();
    auto *number = window.findChild<QLabel *>("labelSubclassLarge");
    auto *caption = window.findChild<QLabel *>("labelSelected");
    auto *invalid = window.findChild<QLabel *>("labelInvalid");
    QCOMPARE(caption->text() + ' ' + number->text(), QString("Selected: 14"));
    const auto left = [&window](QWidget *widget) { return widget->mapTo(&window, QPoint()).x(); };
    QVERIFY(caption->isVisible() && left(caption) + caption->width() <= left(number));
    QCOMPARE(left(invalid) - (left(number) + number->width()), 12);
}

QTEST_MAIN(tst_TextFit)
#include "tst_textfit.moc"
