// The clock as a date value, on top of whichever seam is linked, so that the
// text helpers need nothing from the platform.
#include "system/system.h"

DateValue CurrentDate() { return DateFromCivil(SysLocalClock()); }
