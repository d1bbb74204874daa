// Survey figures of record tables, computed by hand for small tables.

#include "records/ReferenceLevels.h"
#include "records/Statistics.h"

#include <QTest>

using namespace veltrix;
using namespace veltrix::stats;

namespace {

// "10:00:00 5 mG, 27/01/01 00:00:01 3 uT" as numbered rows; the date is 26/12/05 unless given.
QStringList table(const QString& records)
{
    QStringList rows;
    for (const QString& record : records.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QString date = record.count(u' ') == 2 ? QStringLiteral("26/12/05 ") : QString();
        rows << QString::number(rows.size() + 1) + u'\t' + (date + record).split(u' ').join(u'\t') +
                    QStringLiteral("\t\t");
    }
    return rows;
}

// Readings in mG one second apart from 10:00:00.
QStringList series(const QStringList& values)
{
    QStringList records;
    for (int i = 0; i < values.size(); ++i)
        records << QStringLiteral("10:00:%1 %2 mG").arg(i, 2, 10, QChar(u'0')).arg(values[i]);
    return table(records.join(QStringLiteral(", ")));
}

std::optional<Statistics> run(const QStringList& rows, const Options& options,
                              QString* error = nullptr)
{
    return compute([&rows](int r) { return QStringView(rows[r - 1]); }, int(rows.size()), options,
                   error);
}

} // namespace

class TestRecordsStatistics : public QObject {
    Q_OBJECT
private slots:
    void figures_data()
    {
        QTest::addColumn<QStringList>("rows");
        // readings, overloads, invalid, converted, rows of min and max, duration, sampling (ms)
        QTest::addColumn<QList<qint64>>("counts");
        // min, max, mean, median, p95, standard deviation
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("unit");
        QStringList oneToTwenty;
        for (int i = 1; i <= 20; ++i)
            oneToTwenty << QString::number(i);
        QTest::newRow("1..20: interpolated percentiles, sample deviation")
            << series(oneToTwenty) << QList<qint64>{20, 0, 0, 0, 1, 20, 19000, 1000}
            << QList<double>{1, 20, 10.5, 10.5, 19.05, std::sqrt(35.0)} << "mG";
        QTest::newRow("one row") << series({"5.5"}) << QList<qint64>{1, 0, 0, 0, 1, 1, 0, 0}
                                 << QList<double>{5.5, 5.5, 5.5, 5.5, 5.5, 0} << "mG";
        // The first reading's unit wins; 2 µT is 20 mG and the downloaded tenth of a second counts.
        QTest::newRow("mixed units")
            << table("10:00:00 10 mG, 10:00:01.5 2 uT, 10:00:03 3.0 \u03BCT, 10:00:04.5 40 mG")
            << QList<qint64>{4, 0, 0, 2, 1, 4, 4500, 1500}
            << QList<double>{10, 40, 25, 25, 38.5, std::sqrt(500.0 / 3)} << "mG";
        QTest::newRow("microtesla first")
            << table("10:00:02 2.5 uT, 10:00:04 15 mG")
            << QList<qint64>{2, 0, 0, 1, 2, 1, 2000, 2000}
            << QList<double>{1.5, 2.5, 2, 2, 2.45, std::sqrt(0.5)} << QString(QChar(0x00B5)) + u'T';
        // OL is counted apart; text, "12abc", an unknown unit and a bad time are invalid.
        QTest::newRow("overloads and invalid readings")
            << table("10:00:00 10 mG, 10:00:01 OL mG, 10:00:02 Ok mG, 10:00:02 12abc mG, "
                     "10:00:03 20 G, 10:00:0x 5 mG, 10:00:05 30 mG")
            << QList<qint64>{2, 1, 4, 0, 1, 7, 5000, 1000}
            << QList<double>{10, 30, 20, 20, 29, std::sqrt(200.0)} << "mG";
        QTest::newRow("across midnight")
            << table("26/12/31 23:59:58 1 mG, 26/12/31 23:59:59 2 mG, 27/01/01 00:00:00 3 mG, "
                     "27/01/01 00:00:01 4 mG")
            << QList<qint64>{4, 0, 0, 0, 1, 4, 3000, 1000}
            << QList<double>{1, 4, 2.5, 2.5, 3.85, std::sqrt(5.0 / 3)} << "mG";
        QTest::newRow("only overloads")
            << series({"OL", "ol", "OL"}) << QList<qint64>{0, 3, 0, 0, 0, 0, 2000, 1000}
            << QList<double>{0, 0, 0, 0, 0, 0} << "mG";
    }
    void figures()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<qint64>, counts);
        QFETCH(QList<double>, values);
        QFETCH(QString, unit);
        QString error;
        const auto st = run(rows, {}, &error);
        QVERIFY2(st, qPrintable(error));
        QCOMPARE(QList<qint64>({st->readings, st->overloads, st->invalid, st->converted,
                                st->minimumAt.row, st->maximumAt.row, st->duration, st->sampling}),
                 counts);
        QCOMPARE(st->rows, int(rows.size()));
        QCOMPARE(st->overloadMoments.size(), counts[1]);
        const QList<double> got = {st->minimum, st->maximum,      st->mean,
                                   st->median,  st->percentile95, st->standardDeviation};
        for (int i = 0; i < got.size(); ++i)
            QVERIFY2(
                std::abs(got[i] - values[i]) < 1e-9,
                qPrintable(
                    QStringLiteral("figure %1: %2, not %3").arg(i).arg(got[i]).arg(values[i])));
        QCOMPARE(unitText(st->unit), unit);
    }

    void timeAbove_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("level");
        QTest::addColumn<double>("samplingSeconds"); // 0: from the records
        // time above, longest stretch, its first row, survey duration
        QTest::addColumn<QList<qint64>>("above");
        QTest::addColumn<QStringList>("breaks"); // "gap 4-5", "back 2-3": rows either side
        // A 7 s gap between 10:00:03 and 10:00:10 counts for nothing and splits the stretch.
        QTest::newRow("gap") << table("10:00:00 1 mG, 10:00:01 1 mG, 10:00:02 9 mG, 10:00:03 9 mG, "
                                      "10:00:10 9 mG, 10:00:11 1 mG, 10:00:12 1 mG")
                             << "5mG" << 0.0 << QList<qint64>{3000, 2000, 3, 12000}
                             << QStringList{"gap 4-5"};
        QTest::newRow("two sampling times is no gap")
            << table("10:00:00 9 mG, 10:00:01 9 mG, 10:00:03 9 mG, 10:00:04 1 mG") << "5mG" << 0.0
            << QList<qint64>{3000, 3000, 1, 4000} << QStringList{};
        // Levels compare in one unit: 0.5 µT is 5 mG, and a reading at the level is not above it.
        QTest::newRow("level in the other unit, equal is not above")
            << series({"5", "5.1", "5.1", "4.9", "5.0"}) << "0.5uT" << 0.0
            << QList<qint64>{2000, 2000, 2, 4000} << QStringList{};
        QTest::newRow("overloads are above") << series({"1", "OL", "OL", "1"}) << "1000mG" << 0.0
                                             << QList<qint64>{2000, 2000, 2, 3000} << QStringList{};
        QTest::newRow("invalid readings and times end a stretch")
            << table("10:00:00 9 mG, 10:00:01 9 mG, 10:00:02 x mG, 10:00:03 9 mG, 10:00:0x 9 mG, "
                     "10:00:04 9 mG, 10:00:05 9 mG")
            << "5" << 0.0 << QList<qint64>{5000, 2000, 1, 5000} << QStringList{};
        QTest::newRow("clock set back breaks a stretch")
            << table("10:00:00 9 mG, 10:00:01 9 mG, 09:00:00 9 mG") << "5mG" << 0.0
            << QList<qint64>{3000, 2000, 1, 1000} << QStringList{"back 2-3"};
        // The sampling time given (the live table's) is used; one reading then stands for 2 s.
        QTest::newRow("one reading, sampling time given")
            << series({"9"}) << "5mG" << 2.0 << QList<qint64>{2000, 2000, 1, 0} << QStringList{};
        QTest::newRow("one reading, sampling time unknown")
            << series({"9"}) << "5mG" << 0.0 << QList<qint64>{0, 0, 1, 0} << QStringList{};
    }
    void timeAbove()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, level);
        QFETCH(double, samplingSeconds);
        QFETCH(QList<qint64>, above);
        QFETCH(QStringList, breaks);
        Options options;
        options.samplingSeconds = samplingSeconds;
        options.levels = {*parseLevel(level, Unit::MilliGauss)};
        const auto st = run(rows, options);
        QVERIFY(st);
        QCOMPARE(st->levels.size(), 1);
        const LevelFigures& f = st->levels[0];
        QCOMPARE(QList<qint64>({f.timeAbove, f.longest, f.longestStart.row, st->duration}), above);
        QStringList got;
        for (const Break& b : st->breaks)
            got << QStringLiteral("%1 %2-%3")
                       .arg(b.kind == Break::Gap ? "gap" : "back")
                       .arg(b.before.row)
                       .arg(b.after.row);
        QCOMPARE(got, breaks);
    }

    void refused()
    {
        QString error;
        QVERIFY(!run({"", "  "}, {}, &error));
        QCOMPARE(error, QString("There are no records."));
        QVERIFY(!run(table("x y z w"), {}, &error));
        QCOMPARE(error, QString("None of the 1 record(s) holds a reading that can be read."));
        Options after;
        after.from = clockMsOf(QDateTime(QDate(2026, 12, 5), QTime(11, 0)));
        QVERIFY(!run(series({"1", "2"}), after, &error));
        QCOMPARE(error, QString("No records between 2026-12-05 11:00:00 and the end."));
    }

    // Levels typed by the user (bare: the table's unit) and alarm thresholds (a 0 is no level).
    void levels()
    {
        const auto mG = [](const QString& text) {
            const auto level = parseLevel(text, Unit::MicroTesla);
            return level ? level->milliGauss : -1.0;
        };
        QCOMPARE(mG("5"), 50.0);
        QCOMPARE(mG("2.5mG"), 2.5);
        QCOMPARE(mG("0.4 uT"), 4.0);
        QCOMPARE(mG(".3 \u00b5T"), 3.0);
        QCOMPARE(mG("-1mG"), -1.0);
        QCOMPARE(mG("5 kG"), -1.0);
        QCOMPARE(mG(""), -1.0);
        const QList<Level> alarms = alarmLevels(QStringLiteral("20"), QStringLiteral("0"), true);
        QCOMPARE(alarms.size(), 1);
        QCOMPARE(alarms[0].milliGauss, 200.0);
    }
};

QTEST_GUILESS_MAIN(TestRecordsStatistics)
#include "tst_records_statistics.moc"
