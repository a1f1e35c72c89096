#include "framework/RTTI.h"

namespace Library
{
RTTI* RTTI::CastTo(TypeKey)
{
    return nullptr;
}

bool RTTI::IsKindOfName(std::string_view) const
{
    return false;
}

bool RTTI::IsKindOfKey(TypeKey) const
{
    return false;
}

std::string RTTI::DescribeType() const
{
    return "RTTI";
}

bool RTTI::IsSameObject(const RTTI* other) const
{
    return this == other;
}
}
