// Survey figures of record tables, computed by hand for small tables.

#include "records/ReferenceLevels.h"
#include "records/Statistics.h"

#include <QTest>

using namespace veltrix;
using namespace veltrix::stats;

namespace {

// "26/12/05 10:00:00 5 mG" → "1<TAB>26/12/05<TAB>10:00:00<TAB>5<TAB>mG<TAB><TAB>"
QStringList table(const QStringList& lines)
{
    QStringList rows;
    for (const QString& line : lines)
        rows << QString::number(rows.size() + 1) + u'\t' + line.split(u' ').join(u'\t') +
                    QStringLiteral("\t\t");
    return rows;
}

// Readings one second apart from 10:00:00, all in mG.
QStringList series(const QList<QString>& values)
{
    QStringList lines;
    for (int i = 0; i < values.size(); ++i)
        lines
            << QStringLiteral("26/12/05 10:00:%1 %2 mG").arg(i, 2, 10, QChar(u'0')).arg(values[i]);
    return table(lines);
}

std::optional<Statistics> run(const QStringList& rows, const Options& options,
                              QString* error = nullptr)
{
    return compute([&rows](int r) { return QStringView(rows[r - 1]); }, int(rows.size()), options,
                   error);
}

const QString Mu = QString(QChar(0x03BC));

} // namespace

class TestRecordsStatistics : public QObject {
    Q_OBJECT
private slots:
    void figures_data();
    void figures();
    void timeAbove_data();
    void timeAbove();
    void refused_data();
    void refused();
    void levels_data();
    void levels();
};

void TestRecordsStatistics::figures_data()
{
    QTest::addColumn<QStringList>("rows");
    // readings, overloads, invalid, converted, the rows of the lowest and the highest reading
    QTest::addColumn<QList<int>>("counts");
    // min, max, mean, median, p95, standard deviation
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<qint64>("durationMs");
    QTest::addColumn<qint64>("samplingMs");

    QList<QString> oneToTwenty;
    for (int i = 1; i <= 20; ++i)
        oneToTwenty << QString::number(i);
    QTest::newRow("1..20: interpolated percentiles, sample deviation")
        << series(oneToTwenty) << QList<int>{20, 0, 0, 0, 1, 20}
        << QList<double>{1, 20, 10.5, 10.5, 19.05, std::sqrt(35.0)} << "mG" << qint64(19000)
        << qint64(1000);
    QTest::newRow("one row") << series({"5.5"}) << QList<int>{1, 0, 0, 0, 1, 1}
                             << QList<double>{5.5, 5.5, 5.5, 5.5, 5.5, 0} << "mG" << qint64(0)
                             << qint64(0);
    // The first reading's unit wins; 2 µT is 20 mG and the downloaded tenth of a second counts.
    QTest::newRow("mixed units") << table({"26/12/05 10:00:00 10 mG", "26/12/05 10:00:01.5 2 uT",
                                           "26/12/05 10:00:03 3.0 " + Mu + "T",
                                           "26/12/05 10:00:04.5 40 mG"})
                                 << QList<int>{4, 0, 0, 2, 1, 4}
                                 << QList<double>{10, 40, 25, 25, 38.5, std::sqrt(500.0 / 3)}
                                 << "mG" << qint64(4500) << qint64(1500);
    QTest::newRow("microtesla first")
        << table({"26/12/05 10:00:02 2.5 uT", "26/12/05 10:00:04 15 mG"})
        << QList<int>{2, 0, 0, 1, 2, 1} << QList<double>{1.5, 2.5, 2, 2, 2.45, std::sqrt(0.5)}
        << QString(QChar(0x00B5)) + u'T' << qint64(2000) << qint64(2000);
    // OL is counted apart and never averaged; text, a number with more behind it, an unknown
    // unit and a bad time are invalid.
    QTest::newRow("overloads and invalid readings")
        << table({"26/12/05 10:00:00 10 mG", "26/12/05 10:00:01 OL mG", "26/12/05 10:00:02 Ok mG",
                  "26/12/05 10:00:02 12abc mG", "26/12/05 10:00:03 20 G", "26/12/05 10:00:0x 5 mG",
                  "26/12/05 10:00:05 30 mG"})
        << QList<int>{2, 1, 4, 0, 1, 7} << QList<double>{10, 30, 20, 20, 29, std::sqrt(200.0)}
        << "mG" << qint64(5000) << qint64(1000);
    QTest::newRow("across midnight")
        << table({"26/12/31 23:59:58 1 mG", "26/12/31 23:59:59 2 mG", "27/01/01 00:00:00 3 mG",
                  "27/01/01 00:00:01 4 mG"})
        << QList<int>{4, 0, 0, 0, 1, 4} << QList<double>{1, 4, 2.5, 2.5, 3.85, std::sqrt(5.0 / 3)}
        << "mG" << qint64(3000) << qint64(1000);
    // Setting the clock back an hour adds no time: 2 s of survey, not -1 h.
    QTest::newRow("clock set back")
        << table({"26/12/05 10:00:00 1 mG", "26/12/05 10:00:01 2 mG", "26/12/05 09:00:00 3 mG",
                  "26/12/05 09:00:01 4 mG"})
        << QList<int>{4, 0, 0, 0, 1, 4} << QList<double>{1, 4, 2.5, 2.5, 3.85, std::sqrt(5.0 / 3)}
        << "mG" << qint64(2000) << qint64(1000);
    QTest::newRow("only overloads")
        << series({"OL", "ol", "OL"}) << QList<int>{0, 3, 0, 0, 0, 0}
        << QList<double>{0, 0, 0, 0, 0, 0} << "mG" << qint64(2000) << qint64(1000);
}

void TestRecordsStatistics::figures()
{
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, counts);
    QFETCH(QList<double>, values);
    QFETCH(QString, unit);
    QFETCH(qint64, durationMs);
    QFETCH(qint64, samplingMs);

    QString error;
    const auto st = run(rows, {}, &error);
    QVERIFY2(st, qPrintable(error));
    QCOMPARE(QList<int>({st->readings, st->overloads, st->invalid, st->converted, st->minimumAt.row,
                         st->maximumAt.row}),
             counts);
    QCOMPARE(st->rows, int(rows.size()));
    const QList<double> got = {st->minimum, st->maximum,      st->mean,
                               st->median,  st->percentile95, st->standardDeviation};
    for (int i = 0; i < got.size(); ++i)
        QVERIFY2(
            std::abs(got[i] - values[i]) < 1e-9,
            qPrintable(
                QStringLiteral("figure %1: %2, expected %3").arg(i).arg(got[i]).arg(values[i])));
    QCOMPARE(unitText(st->unit), unit);
    QCOMPARE(st->duration, durationMs);
    QCOMPARE(st->sampling, samplingMs);
    QCOMPARE(st->overloadMoments.size(), counts[1]);
}

void TestRecordsStatistics::timeAbove_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("level");
    QTest::addColumn<double>("samplingSeconds"); // 0: from the records
    QTest::addColumn<qint64>("aboveMs");
    QTest::addColumn<qint64>("longestMs");
    QTest::addColumn<int>("longestRow");
    QTest::addColumn<QStringList>("breaks"); // "gap 4-5", "back 2-3": rows either side

    // 1 s sampling, a 7 s gap between 10:00:03 and 10:00:10: it counts for nothing and splits
    // the stretch 10:00:02-10:00:11 into two.
    QTest::newRow("gap") << table({"26/12/05 10:00:00 1 mG", "26/12/05 10:00:01 1 mG",
                                   "26/12/05 10:00:02 9 mG", "26/12/05 10:00:03 9 mG",
                                   "26/12/05 10:00:10 9 mG", "26/12/05 10:00:11 1 mG",
                                   "26/12/05 10:00:12 1 mG"})
                         << "5mG" << 0.0 << qint64(3000) << qint64(2000) << 3
                         << QStringList{"gap 4-5"};
    // A step of exactly two sampling times is no gap.
    QTest::newRow("two sampling times is no gap")
        << table({"26/12/05 10:00:00 9 mG", "26/12/05 10:00:01 9 mG", "26/12/05 10:00:03 9 mG",
                  "26/12/05 10:00:04 1 mG"})
        << "5mG" << 0.0 << qint64(3000) << qint64(3000) << 1 << QStringList{};
    // Levels compare in one unit: 0.5 µT is 5 mG, and a reading at the level is not above it.
    QTest::newRow("level in the other unit, equal is not above")
        << series({"5", "5.1", "5.1", "4.9", "5.0"}) << "0.5uT" << 0.0 << qint64(2000)
        << qint64(2000) << 2 << QStringList{};
    QTest::newRow("overloads are above") << series({"1", "OL", "OL", "1"}) << "1000mG" << 0.0
                                         << qint64(2000) << qint64(2000) << 2 << QStringList{};
    QTest::newRow("invalid readings end a stretch")
        << series({"9", "9", "x", "9"}) << "5" << 0.0 << qint64(3000) << qint64(2000) << 1
        << QStringList{};
    QTest::newRow("clock set back breaks a stretch")
        << table({"26/12/05 10:00:00 9 mG", "26/12/05 10:00:01 9 mG", "26/12/05 09:00:00 9 mG"})
        << "5mG" << 0.0 << qint64(3000) << qint64(2000) << 1 << QStringList{"back 2-3"};
    // The sampling time given (the live table's) is used; one reading then stands for 2 s.
    QTest::newRow("one reading, sampling time given")
        << series({"9"}) << "5mG" << 2.0 << qint64(2000) << qint64(2000) << 1 << QStringList{};
    QTest::newRow("one reading, sampling time unknown")
        << series({"9"}) << "5mG" << 0.0 << qint64(0) << qint64(0) << 1 << QStringList{};
}

void TestRecordsStatistics::timeAbove()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, level);
    QFETCH(double, samplingSeconds);
    QFETCH(qint64, aboveMs);
    QFETCH(qint64, longestMs);
    QFETCH(int, longestRow);
    QFETCH(QStringList, breaks);

    Options options;
    options.samplingSeconds = samplingSeconds;
    options.levels = {*parseLevel(level, Unit::MilliGauss)};
    const auto st = run(rows, options);
    QVERIFY(st);
    QCOMPARE(st->levels.size(), 1);
    QCOMPARE(st->levels[0].timeAbove, aboveMs);
    QCOMPARE(st->levels[0].longest, longestMs);
    QCOMPARE(st->levels[0].longestStart.row, longestRow);
    QStringList got;
    for (const Break& b : st->breaks)
        got << QStringLiteral("%1 %2-%3")
                   .arg(b.kind == Break::Gap ? "gap" : "back")
                   .arg(b.before.row)
                   .arg(b.after.row);
    QCOMPARE(got, breaks);
}

void TestRecordsStatistics::refused_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty table") << QStringList{} << QString() << "There are no records.";
    QTest::newRow("empty lines only")
        << QStringList{"", "  "} << QString() << "There are no records.";
    QTest::newRow("nothing readable")
        << table({"x y z w"}) << QString()
        << "None of the 1 record(s) holds a reading that can be read.";
    QTest::newRow("range after the records")
        << series({"1", "2"}) << "2026-12-05T11:00:00"
        << "No records between 2026-12-05 11:00:00 and the end.";
}

void TestRecordsStatistics::refused()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, from);
    QFETCH(QString, message);
    Options options;
    if (!from.isEmpty())
        options.from = clockMsOf(QDateTime::fromString(from, Qt::ISODate));
    QString error;
    QVERIFY(!run(rows, options, &error));
    QCOMPARE(error, message);
}

void TestRecordsStatistics::levels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("milliGauss"); // -1: refused
    QTest::newRow("bare number in the table's unit") << "5" << 50.0;
    QTest::newRow("mG") << "2.5mG" << 2.5;
    QTest::newRow("uT with a blank") << "0.4 uT" << 4.0;
    QTest::newRow("micro sign") << QString::fromUtf8("0.3 \u00b5T") << 3.0;
    QTest::newRow("leading point") << ".5mg" << 0.5;
    QTest::newRow("negative") << "-1mG" << -1.0;
    QTest::newRow("other unit") << "5 kG" << -1.0;
    QTest::newRow("empty") << "" << -1.0;
}

void TestRecordsStatistics::levels()
{
    QFETCH(QString, text);
    QFETCH(double, milliGauss);
    const auto level = parseLevel(text, Unit::MicroTesla);
    QCOMPARE(level ? level->milliGauss : -1.0, milliGauss);

    // The published levels and the user's alarm thresholds, in milligauss.
    QCOMPARE(findReference(u"ICNIRP2010")->lines.first().milliGauss, 2000.0);
    QCOMPARE(findReference(u"icnirp1998")->lines.first().milliGauss, 1000.0);
    QCOMPARE(findReference(u"iarc2002")->lines.size(), 2);
    QVERIFY(!findReference(u"who"));
    const QList<Level> alarms = alarmLevels(QStringLiteral("20"), QStringLiteral("0"), true);
    QCOMPARE(alarms.size(), 1); // a low alarm of 0 is no level
    QCOMPARE(alarms[0].milliGauss, 200.0);
}

QTEST_GUILESS_MAIN(TestRecordsStatistics)
#include "tst_records_statistics.moc"
