#pragma once

#include <QByteArray>
#include <QString>

namespace vortana {

class RecordStore;

// One request to the record helper, taken from its raw arguments and checked
// before anything is written: "create", "read", or "store SCORE NAME". Anything else
// throws RuntimeError (InvalidCall) with an Italian reason.
class HelperCommand
{
public:
    enum class Kind { Create, Read, Store };

    static HelperCommand parse(int argc, const char *const *argv);

    Kind kind() const { return m_kind; }
    const QString &score() const { return m_score; }
    const QString &name() const { return m_name; }

    // Performs the request on the record files of the store's directory and
    // returns the answer to write on standard output.
    QByteArray run(const RecordStore &store) const;

private:
    HelperCommand(Kind kind, QString score, QString name);

    Kind m_kind;
    QString m_score;
    QString m_name;
};

} // namespace vortana
