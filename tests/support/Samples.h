#pragma once
// The real answers under tests/data/answers, found by what their names contain ("worlddetails-bom"): the
// full path of the first sample (in name order) whose file name contains every fragment; "" if none.
#include <QString>

QString SampleFile(const QString& fragment, const QString& fragment2 = {});
