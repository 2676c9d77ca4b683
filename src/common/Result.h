#pragma once

#include <optional>
#include <string>
#include <utility>

namespace solvane {

// Why an operation did not complete. The view decides what the user sees.
enum class ErrorCode {
    None,
    NoKeyboard,       // no keyboard is open
    Disconnected,     // the transport failed: the device went away
    Timeout,          // the keyboard did not answer in time
    FileError,        // a file could not be read or written
    InvalidArgument,  // the caller asked for something malformed
};

class Status {
public:
    Status() = default;
    Status(ErrorCode code, std::string message) : m_code(code), m_message(std::move(message)) {}

    static Status Ok() { return {}; }

    bool ok() const { return m_code == ErrorCode::None; }
    explicit operator bool() const { return ok(); }
    ErrorCode code() const { return m_code; }
    const std::string& message() const { return m_message; }

private:
    ErrorCode m_code = ErrorCode::None;
    std::string m_message;
};

// A value or the status that explains why there is none.
template <class T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status status) : m_status(std::move(status)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const Status& status() const { return m_status; }
    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    Status m_status;
};

}  // namespace solvane
