#pragma once

#include <QString>

#include <exception>

namespace vortana {

// The numbers the old platform gave its run-time errors; the dialog names both.
enum class ErrorCode : int {
    InvalidCall = 5,
    Overflow = 6,
    TypeMismatch = 13,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIO = 57,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
    ObjectCreation = 429,
};

// A failure that no handler catches: it travels to the dispatcher, which shows
// it to the user and ends the program.
class RuntimeError : public std::exception
{
public:
    RuntimeError(ErrorCode code, QString detail = {});

    ErrorCode code() const { return m_code; }
    int number() const { return static_cast<int>(m_code); }
    // The platform's own Italian wording for the number.
    QString title() const;
    // Extra words naming what failed (a path, a name, the system's reason).
    const QString &detail() const { return m_detail; }
    // The whole text the error box shows.
    QString message() const;

    const char *what() const noexcept override;

    static QString standardText(ErrorCode code);

private:
    ErrorCode m_code;
    QString m_detail;
    QByteArray m_what;
};

// Thrown to end the program from inside a handler: nothing after it runs.
class ProgramEnd
{
public:
    explicit ProgramEnd(int status) : m_status(status) {}
    int status() const { return m_status; }

private:
    int m_status;
};

} // namespace vortana
