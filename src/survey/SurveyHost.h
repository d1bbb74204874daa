// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Survey window needs of the live meter, handed to it by the panel: whether the meter
// answers, its sampling time and model, and the samples the panel's session takes. A spot
// measurement listens to those samples; it never asks the meter anything of its own, so the
// panel goes on polling, showing and recording as before.

#include "survey/ReportRequest.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace veltrix::survey {

class SurveyHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Polling and answering: a spot measurement can be taken.
    virtual bool meterLive() const = 0;
    virtual int samplingSeconds() const = 0;
    // The meter as far as it is known (its model), for a new survey.
    virtual Instrument instrument() const = 0;

signals:
    // The meter started or stopped answering (or polling paused for another exchange).
    void liveChanged(bool live);
    // Every sample the session takes: Date TAB Time TAB Value TAB Unit TAB Hold TAB Peak.
    void sampleTaken(const QDateTime& when, const QString& body);
};

} // namespace veltrix::survey
