// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of a user's reference file: one set a file, a keyword a line.

#include "survey/ReferenceFile.h"

#include "records/FieldNumber.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace veltrix::stats {

namespace {

// The texts' translation context (lupdate reads it from here).
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ReferenceLevels)
};

constexpr int MaxLineLength = 500;
constexpr int MaxLines = 10;          // levels or bands: more would crowd a chart
constexpr double MaxMilliGauss = 1e7; // 1 T

// The units a level may be written in, with their size in milligauss.
struct UnitName {
    const char16_t* name;
    double milliGauss;
};
constexpr UnitName Units[] = {{u"nT", 0.01}, {u"µT", 10},  {u"uT", 10},
                              {u"μT", 10},   {u"mT", 1e4}, {u"mG", 1}};

class Reader {
public:
    std::optional<Reference> read(const QByteArray& bytes, ReferenceFileError* error);

private:
    bool readLines(const QByteArray& bytes);
    bool line(const QString& keyword, const QString& rest);
    bool text(const QString& keyword, const QString& rest, QString& into);
    bool level(const QString& keyword, const QString& rest);
    bool complete();
    bool fail(const QString& what)
    {
        m_error = {m_line, what};
        return false;
    }

    Reference m_set;
    bool m_statisticGiven = false;
    QList<double> m_bandEdges; // the lower edges of the bands, in mG
    int m_line = 0;
    ReferenceFileError m_error;
};

std::optional<Reference> Reader::read(const QByteArray& bytes, ReferenceFileError* error)
{
    if (readLines(bytes) && complete())
        return m_set;
    if (error)
        *error = m_error;
    return std::nullopt;
}

bool Reader::readLines(const QByteArray& bytes)
{
    if (bytes.size() > MaxReferenceFileBytes)
        return fail(Tr::tr("larger than 64 KiB, too large for a reference file"));
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x08\\x0a-\\x1f\\x7f]"));
    static const QRegularExpression space(QStringLiteral("\\s"));
    for (const QByteArray& raw : bytes.split('\n')) {
        ++m_line;
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(m_line == 1 && raw.startsWith("\xEF\xBB\xBF") ? raw.mid(3) : raw);
        if (text.endsWith(u'\r'))
            text.chop(1);
        if (utf8.hasError())
            return fail(Tr::tr("not UTF-8 text"));
        if (text.size() > MaxLineLength)
            return fail(Tr::tr("longer than %1 characters").arg(MaxLineLength));
        if (text.contains(control))
            return fail(Tr::tr("a control character in the text"));
        text = text.trimmed();
        if (text.isEmpty() || text.startsWith(u'#'))
            continue;
        const qsizetype gap = text.indexOf(space);
        if (!line(text.left(gap).toLower(), gap < 0 ? QString() : text.mid(gap).trimmed()))
            return false;
    }
    m_line = 0;
    return true;
}

bool Reader::line(const QString& keyword, const QString& rest)
{
    if (keyword == u"key") {
        static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_-]{1,40}$"));
        if (!m_set.key.isEmpty())
            return fail(Tr::tr("a second 'key' line"));
        if (!re.match(rest).hasMatch())
            return fail(
                Tr::tr("a key is up to 40 letters, digits, '-' and '_', not '%1'").arg(rest));
        if (isPublishedKey(rest))
            return fail(Tr::tr("'%1' is the key of a published set").arg(rest));
        m_set.key = rest;
        return true;
    }
    if (keyword == u"name")
        return text(keyword, rest, m_set.name);
    if (keyword == u"source")
        return text(keyword, rest, m_set.source);
    if (keyword == u"meaning")
        return text(keyword, rest, m_set.meaning);
    if (keyword == u"statistic") {
        const auto statistic = statisticOfKey(rest);
        if (m_statisticGiven)
            return fail(Tr::tr("a second 'statistic' line"));
        if (!statistic)
            return fail(Tr::tr("unknown statistic '%1' (mean, maximum, median or p95)").arg(rest));
        m_set.statistic = *statistic;
        m_statisticGiven = true;
        return true;
    }
    if (keyword == u"level" || keyword == u"band")
        return level(keyword, rest);
    return fail(
        Tr::tr("unknown keyword '%1' (key, name, source, meaning, statistic, level or band)")
            .arg(keyword));
}

bool Reader::text(const QString& keyword, const QString& rest, QString& into)
{
    if (!into.isEmpty())
        return fail(Tr::tr("a second '%1' line").arg(keyword));
    if (rest.isEmpty())
        return fail(Tr::tr("'%1' needs a text after it").arg(keyword));
    into = rest;
    return true;
}

// "level 0.4 uT Precaution", "band 20 nT slight anomaly": a value, its unit and a name.
bool Reader::level(const QString& keyword, const QString& rest)
{
    const bool band = keyword == u"band";
    const bool firstBand = band && m_bandEdges.isEmpty();
    if (band ? !m_set.lines.isEmpty() && m_bandEdges.isEmpty() : !m_bandEdges.isEmpty())
        return fail(Tr::tr("a set has level lines or band lines, not both"));
    if ((band ? m_bandEdges.size() : m_set.lines.size()) >= MaxLines)
        return fail(Tr::tr("more than %1 levels or bands").arg(MaxLines));
    const QStringList words = rest.split(QRegularExpression(QStringLiteral("\\s+")));
    if (words.size() < 3)
        return fail(band ? Tr::tr("a band line is 'band VALUE UNIT NAME', e.g. 'band 20 nT slight'")
                         : Tr::tr("a level line is 'level VALUE UNIT NAME', e.g. 'level 0.4 uT "
                                  "Precaution'"));
    const auto value = fieldNumber(words[0]);
    if (!value)
        return fail(Tr::tr("'%1' is not a number").arg(words[0]));
    const auto unit = std::find_if(std::begin(Units), std::end(Units), [&](const UnitName& u) {
        return words[1] == QStringView(u.name);
    });
    if (unit == std::end(Units))
        return fail(Tr::tr("unknown unit '%1' (nT, µT, uT, mT or mG)").arg(words[1]));
    const double mG = *value * unit->milliGauss;
    if (firstBand && mG != 0)
        return fail(Tr::tr("the first band starts at 0, not at %1 %2").arg(words[0], words[1]));
    if (!firstBand && (mG <= 0 || mG > MaxMilliGauss))
        return fail(
            Tr::tr("a level lies above 0 and at most 1 T, not %1 %2").arg(words[0], words[1]));
    const QString name = words.mid(2).join(u' ');
    if (!band) {
        m_set.lines.append({name, mG});
        return true;
    }
    if (!m_bandEdges.isEmpty() && mG <= m_bandEdges.last())
        return fail(
            Tr::tr("a band starts above the band before it, not at %1 %2").arg(words[0], words[1]));
    if (!m_bandEdges.isEmpty()) // the chart draws the edge the band starts at
        m_set.lines.append({Tr::tr("%1 from %2 %3").arg(name, words[0], words[1]), mG});
    m_bandEdges.append(mG);
    m_set.bands.append(name);
    return true;
}

// What every set needs, once the whole file is read.
bool Reader::complete()
{
    for (const auto& [keyword, value] :
         {std::pair{"key", m_set.key}, {"name", m_set.name}, {"source", m_set.source}})
        if (value.isEmpty())
            return fail(Tr::tr("no '%1' line").arg(QLatin1String(keyword)));
    if (!m_statisticGiven)
        return fail(Tr::tr("no 'statistic' line (mean, maximum, median or p95)"));
    if (m_set.lines.isEmpty())
        return fail(m_bandEdges.size() == 1
                        ? Tr::tr("one band alone: bands need two band lines or more")
                        : Tr::tr("no level line and no band line"));
    std::stable_sort(m_set.lines.begin(), m_set.lines.end(),
                     [](const Level& a, const Level& b) { return a.milliGauss < b.milliGauss; });
    m_set.phrase = m_set.name;
    return true;
}

} // namespace

std::optional<Reference> readReferenceFile(const QByteArray& bytes, ReferenceFileError* error)
{
    return Reader().read(bytes, error);
}

std::optional<Reference> parseReferenceFile(const QByteArray& bytes, QString* error)
{
    ReferenceFileError why;
    auto set = readReferenceFile(bytes, &why);
    if (!set && error)
        *error = why.line > 0 ? Tr::tr("line %1: %2").arg(QString::number(why.line), why.what)
                              : why.what;
    return set;
}

} // namespace veltrix::stats
