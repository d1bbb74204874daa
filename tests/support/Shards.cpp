// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Shards.h"

#include <QMetaMethod>

namespace veltrix::test {

namespace {

bool isTestFunction(const QMetaMethod& m)
{
    static const QStringList fixtures = {"initTestCase", "cleanupTestCase", "init", "cleanup"};
    const QString name = QString::fromLatin1(m.name());
    return m.methodType() == QMetaMethod::Slot && m.access() == QMetaMethod::Private &&
           m.parameterCount() == 0 && !fixtures.contains(name) && !name.endsWith("_data");
}

QStringList namesIn(const char* variable)
{
    return qEnvironmentVariable(variable).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

int runShare(QObject* test, int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() > 1) // functions or options given by hand
        return QTest::qExec(test, args);
    if (const QStringList only = namesIn("VELTRIX_TEST_FUNCTIONS"); !only.isEmpty())
        return QTest::qExec(test, args + only);
    const QStringList skip = namesIn("VELTRIX_TEST_SKIP");
    if (skip.isEmpty())
        return QTest::qExec(test, args);
    const QMetaObject* meta = test->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (isTestFunction(m) && !skip.contains(QString::fromLatin1(m.name())))
            args << QString::fromLatin1(m.name());
    }
    return QTest::qExec(test, args);
}

} // namespace veltrix::test
