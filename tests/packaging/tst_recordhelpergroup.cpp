#include "HelperRecords.h"
#include "HelperRun.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <grp.h>
#include <pwd.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace vortana::test;

namespace {

constexpr int PermissionDenied = 70;

} // namespace

// The helper as installed, run by an ordinary user: only root can set that up.
class TestRecordHelperGroup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { standingRecord(); }
    void writesForAnOrdinaryUserOnlyWithItsGroup_data();
    void writesForAnOrdinaryUserOnlyWithItsGroup();
};

void TestRecordHelperGroup::writesForAnOrdinaryUserOnlyWithItsGroup_data()
{
    QTest::addColumn<mode_t>("helperMode");
    QTest::addColumn<int>("status");

    QTest::newRow("set-group-id games") << mode_t(02755) << 0;
    QTest::newRow("plain") << mode_t(0755) << PermissionDenied;
}

// The installed arrangement: root:games 0775 directory, root:games 0664
// files, the helper root:games 2755, a player outside the group.
void TestRecordHelperGroup::writesForAnOrdinaryUserOnlyWithItsGroup()
{
    QFETCH(mode_t, helperMode);
    QFETCH(int, status);

    const struct group *games = ::getgrnam("games");
    const struct passwd *nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !games || !nobody)
        QSKIP("needs root, the games group and the nobody user");
    const QString copyDir = QFileInfo(QString::fromLocal8Bit(Helper)).absolutePath() + QStringLiteral("/installed");
    struct statvfs fileSystem {};
    if (::statvfs(QFile::encodeName(QFileInfo(copyDir).absolutePath()).constData(), &fileSystem) != 0
        || (fileSystem.f_flag & ST_NOSUID))
        QSKIP("the build tree lies on a file system mounted nosuid");

    QVERIFY(QDir(copyDir).removeRecursively() && QDir().mkpath(copyDir));
    // No set-group-id program is left behind in the build tree.
    const auto removeCopy = qScopeGuard([&copyDir] { QDir(copyDir).removeRecursively(); });
    const QString copy = copyDir + QStringLiteral("/vortana-record");
    QVERIFY(QFile::copy(QString::fromLocal8Bit(Helper), copy));
    for (const QString &path : {copy, Records, ScoreFile, NameFile})
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 0, games->gr_gid), 0);
    QCOMPARE(::chmod(QFile::encodeName(copy).constData(), helperMode), 0);
    QCOMPARE(::chmod(QFile::encodeName(Records).constData(), 0775), 0);

    const HelperOutcome outcome =
        runHelper(QFile::encodeName(copy), {"store", "11", "Eva"}, {}, RunAs{nobody->pw_uid, nobody->pw_gid});
    if (outcome.status == CouldNotExecute)
        QSKIP("nobody cannot reach the build tree");
    QVERIFY2(outcome.status == status, outcome.error.constData());
    if (status != 0) {
        QVERIFY(outcome.error.contains(QFile::encodeName(Records).constData()));
        QCOMPARE(readAll(ScoreFile), OldScore);
        return;
    }
    QCOMPARE(readAll(ScoreFile), QByteArray("11\r\n"));
    QCOMPARE(readAll(NameFile), QByteArray("Eva\r\n"));
    for (const QString &file : {ScoreFile, NameFile}) {
        QCOMPARE(QFileInfo(file).groupId(), games->gr_gid);
        QCOMPARE(permissions(file), mode_t(0664));
    }
}

QTEST_GUILESS_MAIN(TestRecordHelperGroup)
#include "tst_recordhelpergroup.moc"
