#include "GoldFoil.h"

namespace Artwork {

QImage GoldFoil()
{
  return {};
}

} // namespace Artwork
