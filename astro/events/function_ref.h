// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <type_traits>
#include <utility>

namespace orbant {

// A non-owning reference to a callable.
//
// Given:    f: any callable invocable as R(Args...), an lvalue or a
//           temporary that lives until the end of the full expression.
// Returned: operator() calls f with the arguments and returns its result.
// Notes:    the event list loops take their row sink and their progress
//           callback through it, so that neither the loops nor their
//           callers allocate: it holds only a pointer to f and a pointer to
//           a call thunk. The referenced callable must outlive every call;
//           a FunctionRef kept beyond the call it was passed to dangles.
//           operator() is not noexcept: an exception from f passes through.
// Reference: type erasure by function pointer.
// Accuracy: exact (a forwarding call).
template <class Signature>
class FunctionRef;

template <class R, class... Args>
class FunctionRef<R(Args...)> {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
                 std::is_invocable_r_v<R, F&, Args...>)
    FunctionRef(F&& f) noexcept  // NOLINT: implicit by design, like a function pointer
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object, Args... args) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(object))(std::forward<Args>(args)...);
          }) {}

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

private:
    void* object_;
    R (*call_)(void*, Args...);
};

}  // namespace orbant
