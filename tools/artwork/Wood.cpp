#include "Wood.h"

namespace Artwork {

QImage BlackWood()
{
  return {};
}

} // namespace Artwork
