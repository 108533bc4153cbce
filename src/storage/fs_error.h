#pragma once

#include <string>
#include <utility>
#include <variant>

namespace zelt {

// A failed file-system operation: what was attempted, on which path, and the system's reason.
struct FsError {
    std::string action; // "open", "write", "create the folder", ...
    std::string path;
    std::string reason;      // the system's own words (strerror)
    std::string target = {}; // the second path of a rename or copy, else empty
    int code = 0;            // the errno behind the failure, 0 when there is none

    // True when the failure says that the path does not exist.
    bool isMissing() const;

    // The text shown to the operator, naming the file and the reason.
    std::string message() const;
};

// Success, or the failure that stopped an operation.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(FsError error) : error_(std::move(error)), failed_(true) {}
    static Status success() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const FsError& error() const { return error_; }

private:
    FsError error_;
    bool failed_ = false;
};

// A value, or the failure that prevented it.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : data_(std::move(value)) {}
    Result(FsError error) : data_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(data_); }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<T>(data_); }
    const T& value() const { return std::get<T>(data_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const FsError& error() const { return std::get<FsError>(data_); }
    Status status() const { return ok() ? Status() : Status(error()); }

private:
    std::variant<T, FsError> data_;
};

} // namespace zelt
