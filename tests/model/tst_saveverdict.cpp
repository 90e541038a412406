// Save's verdict: the duplicate question first, then which message box refuses the file.
#include "conf.h"
#include "saveverdict.h"

#include <QtTest>

namespace {

Subclass complete_subclass(quint16 number, const QString &category = "1")
{
    return Subclass(QMap<QString, QString> {{"subclass", QString::number(number)},
        {"category", category}, {"max_GVW__kN", "300"}, {"axle_configuration", "H2"},
        {"number_of_axles", "2"}, {"max_axle_weight__kN", "1,100;2,100"}, {"tyre_type", "1,1"},
        {"min_axle_distance__m", "1.5"}, {"max_axle_distance__m", "4.5"}});
}

} // namespace

class tst_SaveVerdict : public QObject
{
    Q_OBJECT

private slots:
    void verdict_data();
    void verdict();
};

void tst_SaveVerdict::verdict_data()
{
    // Subclasses as "number:category" (an empty category makes one incomplete); the header is
    // valid unless the country code is emptied, and no subclass 0 may exist.
    QTest::addColumn<QStringList>("subclasses");
    QTest::addColumn<bool>("validHeader");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("refusal");
    const QString header = "Header invalid!\nPlease make sure all required fields are filled and "
                           "valid.";
    const QString missing = "Vital information missing in one or more subclasses!\nMissing data "
                            "found in subclass %1\nPlease make sure all of the following fields "
                            "are valid:\nCategory\nNumber of axles\nMax. gross weight\nAxle "
                            "configuration\nand all fields dependant on number of axles.";
    QTest::newRow("valid") << QStringList {"1:1", "2:2"} << true << ""
                           << "";
    QTest::newRow("duplicates ask, then accept")
        << QStringList {"1:1", "3:2", "5:2"} << true
        << "At least one duplicated subclass found. Do you wish to continue saving? 3 = 5"
        << "";
    QTest::newRow("incomplete subclass named before the header")
        << QStringList {"1:1", "4:"} << false << "" << missing.arg(4);
    QTest::newRow("incomplete subclass 0 is named")
        << QStringList {"0:", "1:1"} << true << "" << missing.arg(0);
    QTest::newRow("complete subclass 0 blocks only the unclassified check")
        << QStringList {"0:1", "1:2"} << true << "" << header;
    QTest::newRow("invalid header") << QStringList {"1:1"} << false << "" << header;
}

void tst_SaveVerdict::verdict()
{
    QFETCH(QStringList, subclasses);
    QFETCH(bool, validHeader);
    QFETCH(QString, question);
    QFETCH(QString, refusal);
    Conf conf;
    conf.set_country_code(validHeader ? "SI" : "");
    conf.set_group_max_distance("3");
    // Empty, so the unclassified subclass reads as 0: valid while no subclass 0 exists.
    conf.set_unclassified_vehicles_subclass("");
    for (const QString &entry : subclasses) {
        const quint16 number = entry.section(':', 0, 0).toUShort();
        conf.set_subclass(number, complete_subclass(number, entry.section(':', 1)));
    }
    const SaveVerdict verdict(conf);
    QCOMPARE(verdict.asks(), !question.isEmpty());
    QCOMPARE(verdict.asks() ? verdict.question_text() : QString(), question);
    QCOMPARE(verdict.accepts(), refusal.isEmpty());
    QCOMPARE(
        verdict.accepts() ? QString() : verdict.refusal_title() + "\n" + verdict.refusal_text(),
        refusal);
}

QTEST_GUILESS_MAIN(tst_SaveVerdict)
#include "tst_saveverdict.moc"
