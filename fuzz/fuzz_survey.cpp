// SPDX-License-Identifier: GPL-3.0-or-later
// Any file as a survey file: refused with a reason, or a survey that writes back to the same
// bytes once it has been written (every value kept), whose points give their figures without a
// fault, and whose ids are unique.

#include "FuzzCheck.h"

#include "survey/ReferenceLevels.h"
#include "survey/SurveyProject.h"

#include <QSet>

using namespace veltrix;
using namespace veltrix::survey;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    const auto survey = fromJson(fuzz::bytesOf(data, size), &error);
    if (!survey) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(error.isEmpty());
    const QByteArray once = toJson(*survey);
    const auto again = fromJson(once, &error);
    FUZZ_CHECK(again && toJson(*again) == once);
    const stats::Reference* guidance = stats::findReference(u"buildingbiology");
    QSet<QString> ids;
    for (const Room& room : survey->rooms)
        for (const Point& point : room.points) {
            FUZZ_CHECK(!ids.contains(point.id) && survey->point(point.id) == &point);
            ids.insert(point.id);
            for (const QString& session : survey->sessions)
                if (const auto f = pointFigures(point, session, guidance); f && f->band)
                    FUZZ_CHECK(*f->band >= 0 && *f->band < bandCount(guidance));
        }
    return 0;
}
