// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey project the survey benchmarks open and report on: 50 points in 5 rooms, each with a
// spot measurement of 30 samples before and after, and one point with a night of 50,000 records
// attached.

#include "survey/SurveyProject.h"

namespace veltrix::bench {

survey::Survey fiftyPointSurvey();

} // namespace veltrix::bench
