#pragma once

#include <stdexcept>
#include <string>

namespace Tamo {

/// The error type the support library raises: a message and nothing else.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string &aMessage) : std::runtime_error(aMessage) {}
};

/// A file that cannot be opened, read or written.
class EFileError : public Exception
{
public:
    using Exception::Exception;
};

} // namespace Tamo
