#pragma once
#include <cassert>
#include <optional>
#include <utility>

#include "status.h"

namespace linvara {

// The value of an operation that succeeded, or the Status of one that failed.
template <class T>
class [[nodiscard]] StatusOr {
public:
    StatusOr(T value) : value_(std::move(value)), status_(Status::Ok()) {}  // NOLINT: a value converts
    StatusOr(Status failure) : status_(std::move(failure)) { assert(!status_.ok()); }  // NOLINT: so does a failure

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Status& status() const { return status_; }
    // Only after ok().
    const T& value() const { return *value_; }
    T& value() { return *value_; }

private:
    std::optional<T> value_;
    Status status_;
};

}  // namespace linvara
