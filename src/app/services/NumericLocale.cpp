#include "app/services/NumericLocale.h"

#include <clocale>

void SetNumericLocale()
{
  std::setlocale(LC_NUMERIC, "C");
}
