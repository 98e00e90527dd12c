// Exception classes of the framework. Every failure carries a message text;
// the application's default handler shows it.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A stream could not deliver or take the bytes asked for, or form data is malformed.
class EStreamError : public Exception {
    using Exception::Exception;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};

// A class name that is not registered.
class EClassNotFound : public Exception {
    using Exception::Exception;
};

// A value that cannot be converted to what a property or Assign needs.
class EConvertError : public Exception {
    using Exception::Exception;
};

// A property exists but the value given for it is unacceptable.
class EPropertyError : public Exception {
    using Exception::Exception;
};

// List and collection index out of range, duplicate in a sorted list.
class EListError : public Exception {
    using Exception::Exception;
};

// Component names: invalid identifier or duplicate within an owner.
class EComponentError : public Exception {
    using Exception::Exception;
};
