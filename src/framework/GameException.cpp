#include "framework/GameException.h"

#include <utility>

namespace Library
{
GameException::GameException(std::string message, std::int32_t result)
    : mMessage(std::move(message)), mResult(result)
{
}

const char* GameException::what() const noexcept
{
    return mMessage.c_str();
}

std::int32_t GameException::Result() const noexcept
{
    return mResult;
}
}
