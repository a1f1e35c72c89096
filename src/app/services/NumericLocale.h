#pragma once

// Makes "." the decimal separator of the C library for this process. Project files and scripts
// do not depend on it (their conversions ignore the locale), but other number formatting does.
// Call it after constructing the QApplication, which adopts the user's locale.
void SetNumericLocale();
