#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace Library
{
// Thrown by every failed graphics creation step; the message names the step, the result is the
// failing call's code (0 where there is none).
class GameException : public std::exception
{
public:
    explicit GameException(std::string message, std::int32_t result = 0);

    const char* what() const noexcept override;
    std::int32_t Result() const noexcept;

private:
    std::string mMessage;
    std::int32_t mResult;
};

// Thrown when a process-wide factory or an image object cannot be made. Deliberately not a
// std::exception: callers that report graphics failures catch both kinds explicitly.
struct ComException
{
    std::int32_t result = 0;
    std::string message;
};
}
