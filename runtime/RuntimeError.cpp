#include "runtime/RuntimeError.h"

namespace vortana {

RuntimeError::RuntimeError(ErrorCode code, QString detail)
    : m_code(code), m_detail(std::move(detail)), m_what(message().toUtf8())
{
}

QString RuntimeError::standardText(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidCall: return QStringLiteral("Chiamata di routine o argomento non validi");
    case ErrorCode::Overflow: return QStringLiteral("Overflow");
    case ErrorCode::TypeMismatch: return QStringLiteral("Tipo non corrispondente");
    case ErrorCode::FileNotFound: return QStringLiteral("File non trovato");
    case ErrorCode::FileAlreadyOpen: return QStringLiteral("File già aperto");
    case ErrorCode::DeviceIO: return QStringLiteral("Errore di I/O sul dispositivo");
    case ErrorCode::PermissionDenied: return QStringLiteral("Autorizzazione negata");
    case ErrorCode::PathFileAccess: return QStringLiteral("Errore di accesso al percorso/file");
    case ErrorCode::PathNotFound: return QStringLiteral("Impossibile trovare il percorso");
    case ErrorCode::ObjectCreation: return QStringLiteral("Impossibile creare l'oggetto");
    }
    return QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
}

QString RuntimeError::title() const
{
    return standardText(m_code);
}

QString RuntimeError::message() const
{
    QString text = QStringLiteral("Errore di run-time '%1':\n\n%2").arg(number()).arg(title());
    if (!m_detail.isEmpty())
        text += QStringLiteral("\n\n") + m_detail;
    return text;
}

const char *RuntimeError::what() const noexcept
{
    return m_what.constData();
}

} // namespace vortana
