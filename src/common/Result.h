#pragma once
// How the core reports failure across a module boundary: a value or the text
// that says why there is none. The text is what a user (or the command-line
// tool's stderr) is shown, so it is written for people, not for code.
//
//   Result<T>       a T, or an error text
//   Status          nothing, or an error text
//   std::optional   a value that may simply be absent (absence is no failure)
//
//   Result<Rows> r = Run(sql);
//   if (!r) return Fail(r.error());
//   Use(*r);

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace veltrix {

// The failing half of a Result or Status; made by Fail() so that a function
// returning Result<std::string> can tell an error text from a value.
struct Error {
    std::string message;
};

inline Error Fail(std::string message) {
    return Error{std::move(message)};
}

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only on success (std::bad_variant_access otherwise).
    T& value() & { return std::get<0>(m_state); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The value, or `fallback` on failure.
    T value_or(T fallback) const& { return ok() ? value() : std::move(fallback); }

    // Empty on success.
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(m_state).message;
    }

private:
    std::variant<T, Error> m_state;
};

class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : m_error(std::move(error.message)) {}

    static Status Ok() { return Status(); }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }

    // Empty on success.
    const std::string& error() const {
        static const std::string none;
        return m_error ? *m_error : none;
    }

private:
    std::optional<std::string> m_error;
};

} // namespace veltrix
