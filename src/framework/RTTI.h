#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Library
{
// Light run-time type identification of the framework and show classes. Each class declares
// itself with RTTI_DECLARATIONS(Class, Parent); the parent chain is what CastTo, IsKindOfName and
// IsKindOfKey walk. The root answers no to everything, so it never counts as a base.
class RTTI
{
public:
    using TypeKey = std::uint64_t;

    virtual ~RTTI() = default;

    virtual TypeKey GetTypeKey() const = 0;
    virtual RTTI* CastTo(TypeKey key);
    virtual bool IsKindOfName(std::string_view name) const;
    virtual bool IsKindOfKey(TypeKey key) const;
    virtual std::string DescribeType() const;
    virtual bool IsSameObject(const RTTI* other) const;

    // The object as a T when it is one (or derives from one), else null.
    template <typename T>
    T* As()
    {
        return IsKindOfKey(T::TypeIdClass()) ? static_cast<T*>(this) : nullptr;
    }
};
}

// Placed first in a class body; leaves the class body in public access. The key is the address of
// a per-class inline variable, which the linker keeps unique for the whole process.
#define RTTI_DECLARATIONS(Type, ParentType)                                                        \
private:                                                                                           \
    static inline const char sTypeKeyAnchor = 0;                                                   \
                                                                                                   \
public:                                                                                            \
    static constexpr std::string_view TypeName()                                                   \
    {                                                                                              \
        return #Type;                                                                              \
    }                                                                                              \
    static ::Library::RTTI::TypeKey TypeIdClass()                                                  \
    {                                                                                              \
        return reinterpret_cast<::Library::RTTI::TypeKey>(&sTypeKeyAnchor);                        \
    }                                                                                              \
    ::Library::RTTI::TypeKey GetTypeKey() const override                                           \
    {                                                                                              \
        return TypeIdClass();                                                                      \
    }                                                                                              \
    ::Library::RTTI* CastTo(::Library::RTTI::TypeKey key) override                                 \
    {                                                                                              \
        return key == TypeIdClass() ? this : ParentType::CastTo(key);                              \
    }                                                                                              \
    bool IsKindOfName(std::string_view name) const override                                        \
    {                                                                                              \
        return name == TypeName() || ParentType::IsKindOfName(name);                               \
    }                                                                                              \
    bool IsKindOfKey(::Library::RTTI::TypeKey key) const override                                  \
    {                                                                                              \
        return key == TypeIdClass() || ParentType::IsKindOfKey(key);                               \
    }
