#pragma once
// The real service answers kept under tests/data/answers, found by what their file names contain
// ("matches.xml", "worlddetails-bom"), so that tests do not depend on how each sample was named.
#include <QString>

// The full path of the first sample (in name order) whose file name contains every fragment; "" if none.
QString SampleFile(const QString& fragment, const QString& fragment2 = {});
