// Version texts of the update document and their comparison with the versions the panel knows.
#pragma once

#include <QString>

namespace updateversion {

// "major.minor" with the minor given a leading "0" when it has one digit (1 and 5 give "1.05").
QString text(int major, int minor);

// True when the version `major`.`minor` (as written by text()) is newer than `current` ("1.00 0059",
// "1.05"). Only the first character of each major is compared, so a major of 10 reads as 1; equal majors
// compare the two minor digits. Texts that do not start with a digit read as 0.
bool isNewer(const QString &current, const QString &major, const QString &minor);

// The same with the latest version as one "major.minor" text.
bool isNewer(const QString &current, const QString &latest);

} // namespace updateversion
