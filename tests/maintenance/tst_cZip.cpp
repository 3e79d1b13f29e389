#include "TempDataFolder.h"
#include "TestMain.h"
#include "cZip.h"
#include "mZip.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <zip.h>

#include <optional>

namespace {

QByteArray recordBytes(const cZip &zip)
{
    return QByteArray(reinterpret_cast<const char *>(&zip.optionRecord()), sizeof(ZipOptionRecord));
}

qint32 field(const cZip &zip, int offset)
{
    return qFromLittleEndian<qint32>(recordBytes(zip).constData() + offset);
}

void writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime)))
        qFatal("could not write %s", qPrintable(path));
}

// A temporary current folder holding the given files (each file's content
// is its name) and a cZip that writes out.zip there.
struct Workspace
{
    explicit Workspace(std::initializer_list<const char *> files = {})
    {
        for (const char *name : files)
            writeFile(folder.filePath(name), name);
        zip.setZipFile(folder.filePath("out.zip"));
    }
    // Runs Zip with the given file names; false when it could not start.
    bool run(const QStringList &fileSpecs)
    {
        zip.ClearFileSpecs();
        for (const QString &fileSpec : fileSpecs)
            zip.AddFileSpec(fileSpec);
        QString error;
        return zip.Zip(&error);
    }

    TempDataFolder folder{false};
    cZip zip;
};

// The archives are checked with Info-ZIP's unzip, which knows no AES.
QByteArray unzip(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), arguments);
    process.waitForFinished();
    return process.readAllStandardOutput();
}

QStringList entries(const QString &archive)
{
    QStringList names = QString::fromUtf8(unzip({"-Z1", archive})).split('\n', Qt::SkipEmptyParts);
    names.sort();
    return names;
}

std::optional<QByteArray> readAes(const QString &archive, const char *entry, const char *password)
{
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, nullptr);
    if (!zip)
        return std::nullopt;
    std::optional<QByteArray> content;
    zip_stat_t stat;
    zip_file_t *file = nullptr;
    if (zip_stat(zip, entry, 0, &stat) == 0 && stat.encryption_method == ZIP_EM_AES_256)
        file = zip_fopen_encrypted(zip, entry, 0, password);
    if (file) {
        QByteArray bytes(4096, '\0');
        const zip_int64_t read = zip_fread(file, bytes.data(), bytes.size());
        if (zip_fclose(file) == 0 && read >= 0)
            content = bytes.left(read);
    }
    zip_discard(zip);
    return content;
}

int16_t request(bool password)
{
    char buffer[300] = {};
    return password ? mZip::password(buffer, 10, nullptr, nullptr) : mZip::comment(buffer);
}

} // namespace

class tst_cZip : public QObject
{
    Q_OBJECT
private slots:
    // settings and runs that cannot start
    void defaults();
    void recordFields_data();
    void recordFields();
    void basePathTravelsAsHandle();
    void fileSpecBounds_data();
    void fileSpecBounds();
    void runsThatCannotStart();
    void runEntersBasePathAndRunsAlone();
    // callbacks
    void print_data();
    void print();
    void serviceRaisesCancel();
    void passwordBytes_data();
    void passwordBytes();
    void commentBytes_data();
    void commentBytes();
    void refusedRequestCancelsTheRest_data();
    void refusedRequestCancelsTheRest();
    // archives
    void entryNames_data();
    void entryNames();
    void backupOfTheDataFiles();
    void encrypted();
    void comment();
    void refusalsKeepTheArchive_data();
    void refusalsKeepTheArchive();
    void freshenUpdateAppendReplace_data();
    void freshenUpdateAppendReplace();
    void deleteEntries();
    void lineEnds_data();
    void lineEnds();
    void messageLevels();
};

void tst_cZip::defaults()
{
    const cZip zip;
    QVERIFY(!zip.StoreDirectories() && !zip.StoreFolderNames() && !zip.RecurseSubDirs());
    QVERIFY(!zip.Encrypt() && !zip.AddComment() && !zip.AllowAppend() && !zip.FreshenFiles());
    QCOMPARE(zip.MessageLevel(), 2);
    QCOMPARE(zip.FileSpecCount(), 0);
    QVERIFY(zip.Success());
    QVERIFY(zip.ZipFile().isEmpty() && zip.BasePath().isEmpty());
    QByteArray expected(128, '\0');
    expected[36] = 1; // no folder entries
    expected[64] = 1; // no folder names
    QCOMPARE(recordBytes(zip), expected);
}

void tst_cZip::recordFields_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("reset");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");
    const auto flag = [](const char *name, int offset, int stored = 1) {
        QTest::newRow(name) << name << QVariant(true) << QVariant(false) << offset << stored;
    };
    flag("Encrypt", 20);
    flag("IncludeSystemAndHiddenFiles", 24);
    flag("StoreVolumeLabel", 28);
    flag("StoreDirectories", 36, 0);
    flag("ConvertCRLFToLF", 56);
    flag("ConvertLFToCRLF", 60);
    flag("StoreFolderNames", 64, 0);
    flag("AllowAppend", 68);
    flag("UpdateOnlyIfNewer", 84);
    flag("FreshenFiles", 88);
    flag("AddComment", 100);
    flag("RecurseSubDirs", 116, 2);
    QTest::newRow("verbose") << "MessageLevel" << QVariant(0) << QVariant(2) << 48 << 1;
    QTest::newRow("quiet") << "MessageLevel" << QVariant(1) << QVariant(2) << 52 << 1;
}

// Each setting moves its own field and no other byte, and reads back.
void tst_cZip::recordFields()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(QVariant, reset);
    QFETCH(int, offset);
    QFETCH(int, stored);
    cZip zip;
    const QByteArray defaults = recordBytes(zip);
    const QByteArray name = property.toLatin1();
    QVERIFY(zip.setProperty(name, value));
    QCOMPARE(zip.property(name), value);
    QByteArray expected = defaults;
    qToLittleEndian<qint32>(stored, expected.data() + offset);
    QCOMPARE(recordBytes(zip), expected);
    zip.setMessageLevel(5); // outside 0 to 2: ignored
    QCOMPARE(recordBytes(zip), expected);

    QVERIFY(zip.setProperty(name, reset));
    QCOMPARE(zip.property(name), reset);
    QCOMPARE(recordBytes(zip), defaults);
}

void tst_cZip::basePathTravelsAsHandle()
{
    cZip zip;
    zip.setBasePath(QStringLiteral("/srv/Bräu"));
    QCOMPARE(zip.BasePath(), QStringLiteral("/srv/Bräu"));
    const qint32 handle = field(zip, 4);
    QVERIFY(handle > 0);
    QCOMPARE(zip.optionTexts().value(handle - 1), QStringLiteral("/srv/Bräu").toUtf8());
    QCOMPARE(field(zip, 0), 0);
    QCOMPARE(field(zip, 8), 0);
    zip.setBasePath(QString());
    QCOMPARE(field(zip, 4), 0);
}

void tst_cZip::fileSpecBounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected"); // empty: a subscript error
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("first") << 1 << "a.txt";
    QTest::newRow("last") << 3 << "*.kvd";
    QTest::newRow("count + 1") << 4 << QString();
    QTest::newRow("negative") << -1 << QString();
}

void tst_cZip::fileSpecBounds()
{
    QFETCH(int, index);
    QFETCH(QString, expected);
    cZip zip;
    for (const char *fileSpec : {"a.txt", "sub/b.txt", "*.kvd"})
        QCOMPARE(zip.AddFileSpec(fileSpec), 0);
    QCOMPARE(zip.FileSpecCount(), 3);
    QString error;
    QCOMPARE(zip.FileSpec(index, &error), expected);
    QCOMPARE(error.isEmpty(), !expected.isEmpty());
    zip.ClearFileSpecs();
    QCOMPARE(zip.FileSpecCount(), 0);
    zip.FileSpec(1, &error);
    QVERIFY(!error.isEmpty());
}

void tst_cZip::runsThatCannotStart()
{
    Workspace work;
    QStringList fileSpecs;
    for (int i = 0; i < cZip::maxFileSpecs; ++i)
        fileSpecs << QStringLiteral("missing%1.txt").arg(i);
    QVERIFY(work.run(fileSpecs)); // starts; the library finds nothing
    QVERIFY(!work.zip.Success());
    QVERIFY(!work.run(fileSpecs << "one too many"));
    QVERIFY(work.zip.Success()); // reset before the error
    QString error;
    QVERIFY(!work.zip.Delete(&error));
    QVERIFY(!error.isEmpty());

    work.zip.setBasePath(work.folder.filePath("no such folder"));
    error.clear();
    QVERIFY(!work.run({}));
    QVERIFY(!work.zip.Delete(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(field(work.zip, 80), 0);
}

void tst_cZip::runEntersBasePathAndRunsAlone()
{
    Workspace work({"sub/a.txt"});
    work.zip.setBasePath("sub");
    QString nestedError;
    connect(&work.zip, &cZip::Progress, [&] {
        cZip other;
        QVERIFY(!other.Zip(&nestedError));
    });
    QVERIFY(work.run({"a.txt"}));
    QVERIFY(work.zip.Success());
    QVERIFY(!nestedError.isEmpty());
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
             QFileInfo(work.folder.filePath("sub")).canonicalFilePath());
}

void tst_cZip::print_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected"); // null: no event
    const QByteArray xs(2000, 'x');
    QTest::newRow("length 1") << xs << 1 << QString();
    QTest::newRow("length 2") << xs << 2 << "xx";
    QTest::newRow("length 1023") << xs << 1023 << QString(1023, 'x');
    QTest::newRow("length 1024") << xs << 1024 << QString();
    QTest::newRow("slashes") << QByteArray("  adding: sub/deep/a.txt") << 25
                             << "  adding: sub\\deep\\a.txt";
    QTest::newRow("leading slash") << QByteArray("/x/y") << 5 << "/x\\y";
    QTest::newRow("cut at NUL") << QByteArray("ab\0c/d", 6) << 6 << "ab";
    QTest::newRow("UTF-8") << QByteArray("Bräu/ok") << 9 << "Bräu\\ok";
}

void tst_cZip::print()
{
    QFETCH(QByteArray, text);
    QFETCH(int, length);
    QFETCH(QString, expected);
    cZip zip;
    QStringList messages;
    connect(&zip, &cZip::Progress, [&](int count, const QString &msg) {
        QCOMPARE(count, 1);
        messages << msg;
    });
    mZip::begin(&zip);
    QCOMPARE(mZip::print(text.constData(), length), 0);
    QCOMPARE(messages, expected.isNull() ? QStringList() : QStringList{expected});
}

void tst_cZip::serviceRaisesCancel()
{
    cZip zip;
    mZip::begin(&zip);
    QCOMPARE(mZip::service("a.txt", 6), 0); // no handler
    QStringList names;
    bool cancel = false;
    connect(&zip, &cZip::Cancel, [&](const QString &msg, bool *bCancel) {
        names << msg;
        *bCancel = cancel;
    });
    QCOMPARE(mZip::service("sub/b.txt\0junk", 14), 0);
    cancel = true;
    QCOMPARE(mZip::service("c", 1), 0); // too short to be read
    QCOMPARE(mZip::service("c.txt", 6), 1);
    QCOMPARE(names, (QStringList{"sub/b.txt", "c.txt"}));
}

void tst_cZip::passwordBytes_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("trimmed and padded") << "  secret " << 10 << QByteArray("secret\0\0\0\0", 10);
    QTest::newRow("exactly m") << "secret" << 6 << QByteArray("secret");
    QTest::newRow("cut to m") << "secretive" << 4 << QByteArray("secr");
    QTest::newRow("never past 256") << QString(300, 'p') << 300 << QByteArray(256, 'p');
}

void tst_cZip::passwordBytes()
{
    QFETCH(QString, given);
    QFETCH(int, maxLength);
    QFETCH(QByteArray, expected);
    cZip zip;
    connect(&zip, &cZip::PasswordRequest, [&](QString *password, int max, bool, bool *) {
        QCOMPARE(max, maxLength);
        *password = given;
    });
    mZip::begin(&zip);
    QByteArray buffer(512, '#');
    QCOMPARE(mZip::password(buffer.data(), maxLength, "prompt", "archive"), 0);
    QCOMPARE(buffer.left(expected.size() + 1), expected + '#');
}

void tst_cZip::commentBytes_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("trimmed") << "  Weekly backup  " << QByteArray("Weekly backup");
    QTest::newRow("cut to 255") << QString(300, 'c') << QByteArray(255, 'c');
}

void tst_cZip::commentBytes()
{
    QFETCH(QString, given);
    QFETCH(QByteArray, expected);
    cZip zip;
    connect(&zip, &cZip::CommentRequest, [&](QString *comment, bool *) { *comment = given; });
    mZip::begin(&zip);
    QByteArray buffer(400, '#');
    QCOMPARE(mZip::comment(buffer.data()), 0);
    QCOMPARE(buffer.left(expected.size() + 2), expected + '\0' + '#');
}

void tst_cZip::refusedRequestCancelsTheRest_data()
{
    QTest::addColumn<bool>("password");
    QTest::addColumn<QString>("answer"); // null: no handler
    QTest::addColumn<bool>("cancel");
    for (bool password : {true, false}) {
        const QByteArray kind = password ? "password, " : "comment, ";
        QTest::newRow((kind + "no handler").constData()) << password << QString() << false;
        QTest::newRow((kind + "blank answer").constData()) << password << "   " << false;
        QTest::newRow((kind + "cancel").constData()) << password << "given" << true;
    }
}

void tst_cZip::refusedRequestCancelsTheRest()
{
    QFETCH(bool, password);
    QFETCH(QString, answer);
    QFETCH(bool, cancel);
    cZip zip;
    const auto answerWith = [&](QString *text, bool *bCancel) {
        *text = answer;
        *bCancel = cancel;
    };
    if (!answer.isNull()) {
        connect(&zip, &cZip::PasswordRequest,
                [&](QString *text, int, bool, bool *bCancel) { answerWith(text, bCancel); });
        connect(&zip, &cZip::CommentRequest, answerWith);
    }
    mZip::begin(&zip);
    QCOMPARE(request(password), 1);

    disconnect(&zip, nullptr, nullptr, nullptr);
    int raised = 0;
    connect(&zip, &cZip::PasswordRequest, [&] { ++raised; });
    connect(&zip, &cZip::CommentRequest, [&] { ++raised; });
    QCOMPARE(request(true), 1);
    QCOMPARE(request(false), 1);
    QCOMPARE(raised, 0);
}

void tst_cZip::entryNames_data()
{
    QTest::addColumn<bool>("folderNames");
    QTest::addColumn<bool>("folderEntries");
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QStringList>("fileSpecs"); // "@" stands for the folder's absolute path
    QTest::addColumn<QStringList>("expected");
    const QStringList two{"a.txt", "sub/b.txt"};
    const QStringList allTxt{"a.txt", "sub/b.txt", "sub/deep/a.txt", "sub/deep/c.txt"};
    QTest::newRow("bare names") << false << false << false << false << two
                                << QStringList{"a.txt", "b.txt"};
    QTest::newRow("absolute, bare") << false << false << false << false
                                    << QStringList{"@/sub/deep/c.txt"} << QStringList{"c.txt"};
    QTest::newRow("folder names") << true << false << false << false << two << two;
    QTest::newRow("folder keeps its case") << true << false << false << false
                                           << QStringList{"SUB/*.txt"} << QStringList{};
    QTest::newRow("pattern, any case") << true << false << false << false
                                       << QStringList{"sub/*.TXT"} << QStringList{"sub/b.txt"};
    QTest::newRow("folder alone") << true << true << false << false << QStringList{"sub"}
                                  << QStringList{"sub/"};
    QTest::newRow("recursive folder") << true << false << true << false << QStringList{"sub"}
                                      << allTxt.mid(1);
    QTest::newRow("recursive, folder entries")
        << true << true << true << false << QStringList{"./sub/"}
        << QStringList{"sub/", "sub/b.txt", "sub/deep/", "sub/deep/a.txt", "sub/deep/c.txt"};
    QTest::newRow("folder entries need folder names")
        << false << true << true << false << QStringList{"sub"}
        << QStringList{"a.txt", "b.txt", "c.txt"};
    QTest::newRow("one bare name for two files") << false << false << true << false
                                                 << QStringList{"*.txt"} << QStringList{};
    QTest::newRow("recursive pattern") << true << false << true << false << QStringList{"*.txt"}
                                       << allTxt;
    QTest::newRow("hidden left out") << true << false << true << false << QStringList{"*"}
                                     << allTxt;
    QTest::newRow("hidden taken") << true << false << true << true << QStringList{"*"}
                                  << QStringList{".dot/d.txt", ".hidden"} + allTxt;
}

void tst_cZip::entryNames()
{
    QFETCH(bool, folderNames);
    QFETCH(bool, folderEntries);
    QFETCH(bool, recurse);
    QFETCH(bool, hidden);
    QFETCH(QStringList, fileSpecs);
    QFETCH(QStringList, expected);
    Workspace work({"a.txt", "sub/b.txt", "sub/deep/a.txt", "sub/deep/c.txt", ".hidden",
                    ".dot/d.txt"});
    QTemporaryDir elsewhere;
    work.zip.setZipFile(elsewhere.filePath("out.zip"));
    work.zip.setStoreFolderNames(folderNames);
    work.zip.setStoreDirectories(folderEntries);
    work.zip.setRecurseSubDirs(recurse);
    work.zip.setIncludeSystemAndHiddenFiles(hidden);
    QVERIFY(work.run(fileSpecs.replaceInStrings("@", work.folder.path())));
    QCOMPARE(work.zip.Success(), !expected.isEmpty());
    QCOMPARE(entries(work.zip.ZipFile()), expected);
    if (expected.contains("sub/b.txt"))
        QCOMPARE(unzip({"-p", work.zip.ZipFile(), "sub/b.txt"}), QByteArray("sub/b.txt"));
}

void tst_cZip::backupOfTheDataFiles()
{
    Workspace work({"Customers.mdb", "Expense.mdb", "Income.mdb", "balance.kvd", "expense.kvd",
                    "income.kvd", "pw.kvd"});
    QVERIFY(work.run({"customers.mdb", "expense.mdb", "expense.kvd", "income.mdb", "income.kvd",
                      "balance.kvd"}));
    QVERIFY(work.zip.Success());
    QCOMPARE(entries(work.zip.ZipFile()),
             (QStringList{"Customers.mdb", "Expense.mdb", "Income.mdb", "balance.kvd",
                          "expense.kvd", "income.kvd"}));
    QCOMPARE(unzip({"-p", work.zip.ZipFile(), "Customers.mdb"}), QByteArray("Customers.mdb"));
}

void tst_cZip::encrypted()
{
    Workspace work({"a.txt"});
    work.zip.setEncrypt(true);
    QList<bool> confirms;
    connect(&work.zip, &cZip::PasswordRequest, [&](QString *password, int, bool confirm, bool *) {
        *password = "s3cret";
        confirms << confirm;
    });
    QVERIFY(work.run({"a.txt"}));
    QVERIFY(work.zip.Success());
    QCOMPARE(confirms, (QList<bool>{false, true}));
    QCOMPARE(readAes(work.zip.ZipFile(), "a.txt", "s3cret").value_or("unreadable"), "a.txt");
    QVERIFY(!readAes(work.zip.ZipFile(), "a.txt", "wrong"));
}

void tst_cZip::comment()
{
    Workspace work({"a.txt"});
    work.zip.setAddComment(true);
    connect(&work.zip, &cZip::CommentRequest,
            [](QString *comment, bool *) { *comment = "  Weekly backup "; });
    QVERIFY(work.run({"a.txt"}));
    QVERIFY(work.zip.Success());
    const QByteArray listing = unzip({"-z", work.zip.ZipFile()});
    QCOMPARE(listing.mid(listing.indexOf('\n') + 1), QByteArray("Weekly backup\n"));
}

void tst_cZip::refusalsKeepTheArchive_data()
{
    QTest::addColumn<QString>("refusal");
    for (const char *refusal : {"cancelled", "password refused", "confirmation differs",
                                "comment refused", "name not matched"})
        QTest::newRow(refusal) << refusal;
}

void tst_cZip::refusalsKeepTheArchive()
{
    QFETCH(QString, refusal);
    Workspace work({"a.txt", "b.txt"});
    writeFile(work.zip.ZipFile(), "the old archive");
    QStringList fileSpecs{"a.txt", "b.txt"};
    if (refusal == "cancelled")
        connect(&work.zip, &cZip::Cancel, [](const QString &name, bool *cancel) {
            *cancel = name == "b.txt";
        });
    if (refusal == "confirmation differs")
        connect(&work.zip, &cZip::PasswordRequest,
                [](QString *password, int, bool confirm, bool *) {
                    *password = confirm ? "two" : "one";
                });
    work.zip.setEncrypt(refusal.startsWith("password") || refusal.startsWith("confirmation"));
    work.zip.setAddComment(refusal.startsWith("comment"));
    if (refusal == "name not matched")
        fileSpecs << "missing.txt";
    QVERIFY(work.run(fileSpecs));
    QVERIFY(!work.zip.Success());
    QCOMPARE(work.folder.bytes("out.zip"), QByteArray("the old archive"));
}

void tst_cZip::freshenUpdateAppendReplace_data()
{
    QTest::addColumn<QString>("mode"); // the setting turned on for the second run
    QTest::addColumn<QStringList>("contents"); // of a.txt, b.txt, c.txt
    QTest::addColumn<bool>("keepsGone");
    QTest::newRow("freshen") << "FreshenFiles" << QStringList{"new a", "old b", ""} << true;
    QTest::newRow("update") << "UpdateOnlyIfNewer" << QStringList{"new a", "old b", "c"} << true;
    QTest::newRow("append") << "AllowAppend" << QStringList{"new a", "new b", "c"} << true;
    QTest::newRow("replace") << "" << QStringList{"new a", "new b", "c"} << false;
}

void tst_cZip::freshenUpdateAppendReplace()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, contents);
    QFETCH(bool, keepsGone);
    Workspace work({"gone.txt"});
    // An odd second: entries keep even seconds, and a file as old as its
    // entry must not count as newer.
    QDateTime packed = QDateTime::currentDateTime().addDays(-1);
    packed = packed.addSecs(1 - packed.time().second() % 2);
    writeFile(work.folder.filePath("a.txt"), "old a", packed);
    writeFile(work.folder.filePath("b.txt"), "old b", packed);
    QVERIFY(work.run({"*.txt"}));
    QFile::remove(work.folder.filePath("gone.txt"));
    writeFile(work.folder.filePath("a.txt"), "new a", packed.addSecs(3600));
    writeFile(work.folder.filePath("b.txt"), "new b", packed);
    writeFile(work.folder.filePath("c.txt"), "c");
    if (!mode.isEmpty())
        work.zip.setProperty(mode.toLatin1(), true);

    QVERIFY(work.run({"*"})); // the archive itself lies in the folder
    QVERIFY(work.zip.Success());
    QStringList found;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        found << QString::fromUtf8(unzip({"-p", work.zip.ZipFile(), name}));
    QCOMPARE(found, contents);
    QCOMPARE(entries(work.zip.ZipFile()).contains("gone.txt"), keepsGone);
    QVERIFY(!entries(work.zip.ZipFile()).contains("out.zip"));
}

void tst_cZip::deleteEntries()
{
    Workspace work({"a.txt", "b.txt", "sub/c.txt"});
    work.zip.setStoreFolderNames(true);
    QVERIFY(work.run({"a.txt", "b.txt", "sub/c.txt"}));
    QVERIFY(work.run({"missing.txt"}));
    QList<int> flagWhileDeleting;
    connect(&work.zip, &cZip::Progress, [&] { flagWhileDeleting << field(work.zip, 80); });
    work.zip.ClearFileSpecs();
    work.zip.AddFileSpec("B.TXT");
    work.zip.AddFileSpec("sub/*");
    QString error;
    QVERIFY(work.zip.Delete(&error));
    QCOMPARE(entries(work.zip.ZipFile()), QStringList{"a.txt"});
    QVERIFY(!work.zip.Success()); // still the last Zip's verdict
    QCOMPARE(flagWhileDeleting, (QList<int>{1, 1}));
    QCOMPARE(field(work.zip, 80), 0);
}

void tst_cZip::lineEnds_data()
{
    QTest::addColumn<bool>("toLf");
    QTest::addColumn<bool>("toCrLf");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("as is") << false << false << QByteArray("a\r\nb\n") << QByteArray("a\r\nb\n");
    QTest::newRow("CR LF to LF") << true << false << QByteArray("a\r\nb\r\n")
                                 << QByteArray("a\nb\n");
    QTest::newRow("LF to CR LF") << false << true << QByteArray("\na\nb\r\n")
                                 << QByteArray("\r\na\r\nb\r\n");
    QTest::newRow("binary") << false << true << QByteArray("a\n\0b", 4) << QByteArray("a\n\0b", 4);
}

void tst_cZip::lineEnds()
{
    QFETCH(bool, toLf);
    QFETCH(bool, toCrLf);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, stored);
    Workspace work;
    writeFile(work.folder.filePath("a.txt"), bytes);
    work.zip.setConvertCRLFToLF(toLf);
    work.zip.setConvertLFToCRLF(toCrLf);
    QVERIFY(work.run({"a.txt"}));
    QVERIFY(work.zip.Success());
    QCOMPARE(unzip({"-p", work.zip.ZipFile(), "a.txt"}), stored);
}

void tst_cZip::messageLevels()
{
    Workspace work({"a.txt", "sub/b.txt"});
    work.zip.setStoreFolderNames(true);
    QStringList messages;
    connect(&work.zip, &cZip::Progress, [&](int, const QString &msg) { messages << msg; });
    const auto messagesAt = [&](int level) {
        messages.clear();
        work.zip.setMessageLevel(level);
        work.run({"a.txt", "sub/b.txt"});
        return messages;
    };
    const QStringList normal{"  adding: a.txt (deflated)", "  adding: sub\\b.txt (deflated)"};
    QCOMPARE(messagesAt(2), normal);
    QCOMPARE(messagesAt(1), QStringList());
    const QStringList verbose = messagesAt(0);
    QCOMPARE(verbose.mid(0, 2), normal);
    QVERIFY(verbose.size() > 2);
}

BRAMBLEWOOD_TEST_MAIN(tst_cZip)
#include "tst_cZip.moc"
