#pragma once
// One error guard for every procedure: it turns any failure into the fixed
// log line "<prefix><description>'" and lets the procedure return what it
// has so far. Nothing thrown inside ever reaches a host.

#include <QString>

#include <exception>
#include <utility>

namespace vd {

// How a procedure's log prefix is spelled.
enum class PrefixStyle {
    EnDash,    // "VantorDictation4 - <module> – <procedure> – '"
    Hyphen,    // "VantorDictation4 - <module> - <procedure> - '"
    NoProject, // "<module> - <procedure> - '"
};

struct Procedure {
    const char* module; // module title, e.g. "Dictation Class" (UTF-8)
    const char* name;   // procedure name, e.g. "ControlLoad"
    PrefixStyle style = PrefixStyle::EnDash;
    const char* accessor = ""; // "Get " or "Let " for property accessors
};

QString ErrorPrefix(const Procedure& where);

// A failure with a description, thrown by our own code.
class Failure : public std::exception {
public:
    explicit Failure(QString description) : m_description(std::move(description)) {}
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return "VantorDictation4 failure"; }

private:
    QString m_description;
};

// Hands one text to the utility component's error log; if that fails, shows
// the failure through the message component. Never throws.
void ErrorLog(const QString& text) noexcept;

// Logs the currently handled exception under the given procedure.
void ErrorLogCurrentException(const Procedure& where) noexcept;

// Runs body; on any exception logs it with where's prefix. Returns true when
// body completed.
template <class F> bool ErrorGuard(const Procedure& where, F&& body) noexcept {
    try {
        std::forward<F>(body)();
        return true;
    } catch (...) {
        ErrorLogCurrentException(where);
        return false;
    }
}

} // namespace vd
