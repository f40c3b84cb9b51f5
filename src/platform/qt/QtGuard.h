// The one way from the toolkit into the program's code: slots, event filters and timer ticks run
// through the guard, which hands what they throw to the application's error report, so that no
// exception unwinds through Qt's own frames.
#pragma once

#include <QObject>

#include <exception>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

// Hands the message of an exception caught at the boundary to the application's error report.
void ReportGuardedException(const std::string& Message) noexcept;

// Runs Handler; false when it threw, and then the error has been reported.
template <typename Handler> bool RunGuarded(Handler&& H) noexcept {
    try {
        std::forward<Handler>(H)();
        return true;
    } catch (const std::exception& E) {
        ReportGuardedException(E.what());
    } catch (...) {
        ReportGuardedException("Unbekannter Fehler");
    }
    return false;
}

namespace QtGuardDetail {

// A handler takes all of the signal's arguments or none.
template <typename Handler, typename... Args> void Call(Handler& H, Args&... A) {
    if constexpr (std::is_invocable_v<Handler&, Args&...>)
        std::invoke(H, A...);
    else
        std::invoke(H);
}

template <typename Handler, typename... Args>
auto GuardedSlot(Handler H, QtPrivate::List<Args...>) {
    return [H = std::move(H)](Args... A) mutable { RunGuarded([&] { Call(H, A...); }); };
}

template <typename Receiver, typename Method> struct TBoundMethod {
    Receiver* Object;
    Method Member;
    template <typename... Args>
    auto operator()(Args&... A) const -> decltype(std::invoke(Member, Object, A...)) {
        return std::invoke(Member, Object, A...);
    }
};

} // namespace QtGuardDetail

// QObject::connect with the slot behind the guard; Context ends the connection as in Qt.
template <typename Signal, typename Handler>
requires(!std::is_member_function_pointer_v<Handler>) QMetaObject::Connection
    GuardedConnect(const typename QtPrivate::FunctionPointer<Signal>::Object* Sender,
                   Signal TheSignal, const QObject* Context, Handler H,
                   Qt::ConnectionType Type = Qt::AutoConnection) {
    using TArguments = typename QtPrivate::FunctionPointer<Signal>::Arguments;
    return QObject::connect(Sender, TheSignal, Context,
                            QtGuardDetail::GuardedSlot(std::move(H), TArguments{}), Type);
}

// The same with a member function of Receiver as the slot.
template <typename Signal, typename Receiver, typename Method>
requires std::is_member_function_pointer_v<Method> QMetaObject::Connection
GuardedConnect(const typename QtPrivate::FunctionPointer<Signal>::Object* Sender, Signal TheSignal,
               Receiver* Object, Method Member) {
    return GuardedConnect(Sender, TheSignal, Object,
                          QtGuardDetail::TBoundMethod<Receiver, Method>{Object, Member});
}
