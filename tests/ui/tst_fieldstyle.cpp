// Field colouring and value conversion: colours, tool tips and the texts that go to the model
// and come back into the fields, checked on the shared rules without a window.
#include "fieldstyle.h"

#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

// WCAG's contrast ratio of two colours, from their relative luminances.
double contrast(const QColor &one, const QColor &other)
{
    const auto luminance = [](const QColor &colour) {
        double sum = 0;
        const QList<QPair<double, double>> channels
            = {{colour.redF(), 0.2126}, {colour.greenF(), 0.7152}, {colour.blueF(), 0.0722}};
        for (const auto &channel : channels) {
            const double v = channel.first;
            sum += channel.second * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double a = luminance(one);
    const double b = luminance(other);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
}

} // namespace

class tst_FieldStyle : public QObject
{
    Q_OBJECT

private slots:
    void onlyRedIsInvalid();
    void conversions_data();
    void conversions();
    void shownConstraint();
    void readableOnEveryColour();
};

void tst_FieldStyle::onlyRedIsInvalid()
{
    QLineEdit edit;
    // The field is never shown, so isMarkedInvalid must see a style sheet never polished.
    FieldStyle::colour(&edit, false, "some tip");
    QCOMPARE(edit.toolTip(), QString("some tip"));
    QVERIFY(FieldStyle::isMarkedInvalid(&edit));
    FieldStyle::colour(&edit, true, "some tip");
    QVERIFY(edit.toolTip().isEmpty());
    QVERIFY(!FieldStyle::isMarkedInvalid(&edit));
    FieldStyle::colourWarning(&edit, "lower");
    QVERIFY(!FieldStyle::isMarkedInvalid(&edit));
    edit.setStyleSheet(FieldStyle::neutralStyle);
    QVERIFY(!FieldStyle::isMarkedInvalid(&edit));
    QVERIFY(!FieldStyle::isMarkedInvalid(nullptr));
}

void tst_FieldStyle::conversions_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("5 t") << "5" << 9.80665f << "49.0332" << QString("5.00");
    QTest::newRow("10 ft") << "10" << 0.3048f << "3.048" << QString("10.00");
    QTest::newRow("40 t") << "40" << 9.80665f << "392.266" << QString("40.00");
    QTest::newRow("88184.91 lb") << "88184.91" << 0.0044482215f << "392.266" << QString("88184.91");
    QTest::newRow("6 digits stored") << "1234.5678" << 1.0f << "1234.57" << QString("1234.57");
    QTest::newRow("0 stores nothing") << "0" << 9.80665f << QString() << QString();
    QTest::newRow("negative stores nothing") << "-1" << 1.0f << QString() << QString();
    QTest::newRow("empty") << "" << 1.0f << QString() << QString();
}

void tst_FieldStyle::conversions()
{
    QFETCH(QString, typed);
    QFETCH(float, factor);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(FieldStyle::toStoredText(typed, factor), stored);
    QCOMPARE(FieldStyle::shownText(FieldStyle::toDisplayValue(stored, factor)), shown);
    // A stored value that is 0, negative or no number shows as an empty field.
    QCOMPARE(FieldStyle::shownText(FieldStyle::toDisplayValue("-" + stored, factor)), QString());
}

void tst_FieldStyle::shownConstraint()
{
    // Stored -> shown in tonnes: the weight converted, a text without one as stored.
    const QList<QPair<QString, QString>> constraints = {
        {"1+2,180", "1+2,18.35"}, {"1+2,abc", "1+2,0.00"}, {"1+2", "1+2"}, {QString(), QString()}};
    for (const auto &constraint : constraints) {
        QCOMPARE(FieldStyle::shownConstraint(constraint.first, 9.80665f), constraint.second);
    }
}

void tst_FieldStyle::readableOnEveryColour()
{
    // Each colour with the routine that gives it: valid, invalid, lower than some subclass,
    // neutral.
    const QList<QPair<QColor, std::function<void(QLineEdit *)>>> colours
        = {{Qt::green, [](QLineEdit *edit) { FieldStyle::colour(edit, true, QString()); }},
            {Qt::red, [](QLineEdit *edit) { FieldStyle::colour(edit, false, QString()); }},
            {Qt::yellow, [](QLineEdit *edit) { FieldStyle::colourWarning(edit, QString()); }},
            {Qt::white, FieldStyle::colourNeutral}};
    for (const auto &colour : colours) {
        QLineEdit edit;
        // A dark desktop theme's light text, which would all but vanish on these colours.
        QPalette dark = edit.palette();
        dark.setColor(QPalette::Text, Qt::white);
        edit.setPalette(dark);
        edit.setPlaceholderText("H2T2D1S2");
        FieldStyle::keepReadable(&edit);
        colour.second(&edit);
        edit.ensurePolished();
        const QPalette palette = edit.palette();
        QCOMPARE(palette.color(edit.backgroundRole()), colour.first);
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::PlaceholderText}) {
            const double ratio = contrast(palette.color(role), colour.first);
            QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
        }
        // The placeholder, black too, shows italic; a typed value upright.
        QVERIFY(edit.font().italic());
        edit.setText("H2");
        QVERIFY(!edit.font().italic());
    }
}

QTEST_MAIN(tst_FieldStyle)
#include "tst_fieldstyle.moc"
