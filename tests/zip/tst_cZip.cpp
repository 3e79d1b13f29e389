#include "Readers.h"
#include "cZip.h"
#include "mZip.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <zip.h>

#include <memory>

namespace {

void writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = {})
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size() || !file.flush() ||
        (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime)))
        qFatal("could not write %s", qPrintable(path));
}

// A temporary folder, the current folder while it lasts (the component finds
// files there), with files holding their own names; the archive is out.zip there.
struct Workspace
{
    explicit Workspace(std::initializer_list<const char *> files = {})
        : previous(QDir::currentPath())
    {
        QDir::setCurrent(folder.path());
        for (const char *name : files)
            writeFile(folder.filePath(name), name);
        zip.setZipFile(folder.filePath("out.zip"));
    }
    ~Workspace() { QDir::setCurrent(previous); }
    bool run(const QStringList &names, bool deleting = false)
    {
        zip.ClearFileSpecs();
        for (const QString &name : names)
            zip.AddFileSpec(name);
        return deleting ? zip.Delete(nullptr) : zip.Zip(nullptr);
    }
    QByteArray unzip(const QString &entry) const { return Readers::zipEntry(zip.ZipFile(), entry); }
    QStringList entries() const
    {
        QStringList names = Readers::zipEntries(zip.ZipFile());
        names.sort();
        return names;
    }
    QByteArray archiveBytes() const
    {
        QFile archive(zip.ZipFile());
        return archive.open(QIODevice::ReadOnly) ? archive.readAll() : QByteArray();
    }

    QString previous;
    QTemporaryDir folder;
    cZip zip;
};

// unzip knows no AES, so libzip reads a.txt; empty when it cannot.
QByteArray readAes(const QString &archive, const char *password)
{
    const std::unique_ptr<zip_t, void (*)(zip_t *)> zip(
        zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, nullptr), zip_discard);
    zip_stat_t stat;
    if (!zip || zip_stat(zip.get(), "a.txt", 0, &stat) || stat.encryption_method != ZIP_EM_AES_256)
        return {};
    zip_file_t *file = zip_fopen_encrypted(zip.get(), "a.txt", 0, password);
    QByteArray content(100, '\0');
    const zip_int64_t read = file ? zip_fread(file, content.data(), content.size()) : -1;
    return file && zip_fclose(file) == 0 && read >= 0 ? content.left(read) : QByteArray();
}

} // namespace

class tst_cZip : public QObject
{
    Q_OBJECT
private slots:
    void optionRecord_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("stored");
        const std::tuple<const char *, int, int> flags[] = {
            {"Encrypt", 20, 1}, {"IncludeSystemAndHiddenFiles", 24, 1}, {"StoreVolumeLabel", 28, 1},
            {"StoreDirectories", 36, 0}, {"ConvertCRLFToLF", 56, 1}, {"ConvertLFToCRLF", 60, 1},
            {"StoreFolderNames", 64, 0}, {"AllowAppend", 68, 1}, {"UpdateOnlyIfNewer", 84, 1},
            {"FreshenFiles", 88, 1}, {"AddComment", 100, 1}, {"RecurseSubDirs", 116, 2}};
        for (const auto &[name, offset, stored] : flags)
            QTest::newRow(name) << name << QVariant(true) << offset << stored;
        QTest::newRow("verbose") << "MessageLevel" << QVariant(0) << 48 << 1;
        QTest::newRow("quiet") << "MessageLevel" << QVariant(1) << 52 << 1;
        // The base folder travels as handle 1 of the texts beside the record.
        QTest::newRow("BasePath") << "BasePath" << QVariant(QStringLiteral("/srv/Bräu")) << 4 << 1;
    }

    // Each setting reads back and moves its own field of the record, and no other byte.
    void optionRecord()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(int, offset);
        QFETCH(int, stored);
        cZip zip;
        const auto record = [&] {
            return QByteArray(reinterpret_cast<const char *>(&zip.optionRecord()), 128);
        };
        QByteArray defaults(128, '\0');
        defaults[36] = defaults[64] = 1; // no folder entries, no folder names
        QCOMPARE(record(), defaults);
        QVERIFY(zip.ZipFile().isEmpty() && zip.Success() && zip.FileSpecCount() == 0);
        const QByteArray name = property.toLatin1();
        const QVariant initial = zip.property(name);
        QVERIFY(zip.setProperty(name, value));
        zip.setMessageLevel(5); // outside 0 to 2: ignored
        QCOMPARE(zip.property(name), value);
        QByteArray expected = defaults;
        qToLittleEndian<qint32>(stored, expected.data() + offset);
        QCOMPARE(record(), expected);
        QCOMPARE(zip.optionTexts(),
                 name == "BasePath" ? QList{value.toString().toUtf8()} : QList<QByteArray>());
        QVERIFY(zip.setProperty(name, initial));
        QCOMPARE(record(), defaults);
    }

    // File names count from 1; a run takes at most 1022 of them.
    void fileNames()
    {
        Workspace work({"sub/a.txt"});
        for (const char *name : {"a.txt", "sub/b.txt", "*.kvd"})
            QCOMPARE(work.zip.AddFileSpec(name), 0);
        QCOMPARE(work.zip.FileSpecCount(), 3);
        QString error;
        QCOMPARE(work.zip.FileSpec(1, &error) + ' ' + work.zip.FileSpec(3, &error), "a.txt *.kvd");
        QVERIFY(error.isEmpty());
        for (int i : {-1, 0, 4})
            QVERIFY2(work.zip.FileSpec(i, &error).isEmpty() && !std::exchange(error, {}).isEmpty(),
                     qPrintable(QString::number(i)));

        // A run that cannot start leaves Success() true and the record as it was.
        const QStringList missing(cZip::maxFileSpecs, QStringLiteral("missing.txt"));
        QVERIFY(work.run(missing) && !work.zip.Success()); // starts; the library finds nothing
        QVERIFY(!work.run(missing + QStringList{"one too many"}) && work.zip.Success());
        QVERIFY(!work.zip.Delete(&error) && !error.isEmpty());
        QCOMPARE(work.zip.optionRecord().deleteEntries, 0);
        work.zip.setBasePath(work.folder.filePath("no such folder"));
        QVERIFY(!work.run({"a.txt"}));

        // A run enters BasePath; no second run starts while it lasts.
        work.zip.setBasePath("sub");
        QString nestedError;
        connect(&work.zip, &cZip::Progress, [&] { QVERIFY(!cZip().Zip(&nestedError)); });
        QVERIFY(work.run({"a.txt"}) && work.zip.Success());
        QVERIFY(!nestedError.isEmpty());
        QCOMPARE(QDir::currentPath(), QDir(work.folder.filePath("sub")).canonicalPath());
    }

    // Texts of 2 to 1023 bytes with their terminating zero, read up to a NUL;
    // only print turns "/" into "\", and never the first character.
    void textCallbacks()
    {
        cZip zip;
        mZip::begin(&zip);
        QCOMPARE(mZip::service("a.txt", 6), 0); // no handler
        QStringList printed, serviced;
        connect(&zip, &cZip::Progress,
                [&](int count, const QString &msg) { printed << QString::number(count) + msg; });
        connect(&zip, &cZip::Cancel, [&](const QString &msg, bool *cancel) {
            serviced << msg;
            *cancel = true;
        });
        const QByteArray xs(2000, 'x');
        for (int length : {1, 2, 1023, 1024}) {
            QCOMPARE(mZip::print(xs.constData(), length), 0);
            QCOMPARE(mZip::service(xs.constData(), length), length == 2 || length == 1023 ? 1 : 0);
        }
        const char text[] = "/Bräu/deep/a.txt\0junk";
        QCOMPARE(mZip::print(text, sizeof text) + mZip::service(text, sizeof text), 1);
        QCOMPARE(printed, (QStringList{"1xx", "1" + QString(1023, 'x'), "1/Bräu\\deep\\a.txt"}));
        QCOMPARE(serviced, (QStringList{"xx", QString(1023, 'x'), "/Bräu/deep/a.txt"}));
    }

    // Answers are trimmed of spaces. A blank one, a cancel or no handler
    // refuses, and then every later request of the run is refused unasked.
    void requests_data()
    {
        QTest::addColumn<bool>("password");
        QTest::addColumn<QString>("answer"); // null: no handler
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QByteArray>("written"); // null: refused
        QTest::newRow("password, trimmed and padded")
            << true << "  secret " << false << 10 << QByteArray("secret\0\0\0\0", 10);
        QTest::newRow("password, cut") << true << "secretive" << false << 4 << QByteArray("secr");
        QTest::newRow("password, never past 256")
            << true << QString(300, 'p') << false << 300 << QByteArray(256, 'p');
        QTest::newRow("comment, cut to 255")
            << false << QString(300, 'c') << false << 0 << QByteArray(255, 'c').append('\0');
        const QByteArray refused;
        for (const char *kind : {"password", "comment"}) {
            const bool password = kind == QLatin1String("password");
            QTest::addRow("%s, no handler", kind) << password << QString() << false << 8 << refused;
            QTest::addRow("%s, blank", kind) << password << "   " << false << 8 << refused;
            QTest::addRow("%s, cancel", kind) << password << "given" << true << 8 << refused;
        }
    }

    void requests()
    {
        QFETCH(bool, password);
        QFETCH(QString, answer);
        QFETCH(bool, cancel);
        QFETCH(int, maxLength);
        QFETCH(QByteArray, written);
        cZip zip;
        int raised = 0;
        const auto answerWith = [&](QString *text, bool *bCancel) {
            ++raised;
            *text = answer;
            *bCancel = cancel;
        };
        if (!answer.isNull()) {
            connect(&zip, &cZip::PasswordRequest, [&](QString *text, int max, bool, bool *bCancel) {
                QCOMPARE(max, maxLength);
                answerWith(text, bCancel);
            });
            connect(&zip, &cZip::CommentRequest, answerWith);
        }
        mZip::begin(&zip);
        QByteArray buffer(512, '#');
        const auto request = [&](bool password) {
            return password ? mZip::password(buffer.data(), maxLength, "prompt", "archive")
                            : mZip::comment(buffer.data());
        };
        QCOMPARE(request(password), written.isNull() ? 1 : 0);
        if (!written.isNull())
            QCOMPARE(buffer.left(written.size() + 1), written + '#');
        else
            QCOMPARE(request(true) + request(false), 2);
        QCOMPARE(raised, answer.isNull() ? 0 : 1);
    }

    void entryNames_data()
    {
        // n stores folder names, d folder entries, r recurses, h takes hidden files.
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("names");    // "@" stands for the folder's absolute path
        QTest::addColumn<QStringList>("expected"); // empty: the run fails
        const QStringList allTxt{"a.txt", "sub/b.txt", "sub/deep/a.txt", "sub/deep/c.txt"};
        QTest::newRow("bare names, name in any case")
            << "" << QStringList{"A.TXT", "sub/b.txt", "@/sub/deep/c.txt"}
            << QStringList{"a.txt", "b.txt", "c.txt"};
        QTest::newRow("folder names, pattern in any case")
            << "n" << QStringList{"a.txt", "sub/*.TXT"} << QStringList{"a.txt", "sub/b.txt"};
        QTest::newRow("folder keeps its case") << "n" << QStringList{"SUB/*.txt"} << QStringList();
        QTest::newRow("folder alone") << "nd" << QStringList{"sub"} << QStringList{"sub/"};
        QTest::newRow("recursive, folder entries")
            << "ndr" << QStringList{"./sub/"}
            << QStringList{"sub/", "sub/b.txt", "sub/deep/", "sub/deep/a.txt", "sub/deep/c.txt"};
        QTest::newRow("folder entries need folder names")
            << "dr" << QStringList{"sub"} << QStringList{"a.txt", "b.txt", "c.txt"};
        QTest::newRow("one bare name, two files") << "r" << QStringList{"*.txt"} << QStringList();
        QTest::newRow("hidden left out") << "nr" << QStringList{"*"} << allTxt;
        QTest::newRow("hidden taken")
            << "nrh" << QStringList{"*"} << QStringList{".dot/d.txt", ".hidden"} + allTxt;
    }

    void entryNames()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        Workspace work({"a.txt", "sub/b.txt", "sub/deep/a.txt", "sub/deep/c.txt", ".hidden",
                        ".dot/d.txt"});
        work.zip.setStoreFolderNames(options.contains('n'));
        work.zip.setStoreDirectories(options.contains('d'));
        work.zip.setRecurseSubDirs(options.contains('r'));
        work.zip.setIncludeSystemAndHiddenFiles(options.contains('h'));
        QVERIFY(work.run(names.replaceInStrings("@", work.folder.path())));
        QCOMPARE(work.zip.Success(), !expected.isEmpty());
        QCOMPARE(work.entries(), expected);
        if (expected.contains("b.txt"))
            QCOMPARE(work.unzip("b.txt"), "sub/b.txt");
    }

    // Each refusal fails the run and leaves the old archive as it was.
    void refusalsThenEncryptedWithComment()
    {
        Workspace work({"a.txt", "b.txt"});
        writeFile(work.zip.ZipFile(), "the old archive");
        const auto refused = [&](const QStringList &names) {
            return work.run(names) && !work.zip.Success() &&
                   work.archiveBytes() == "the old archive";
        };
        QVERIFY(refused({"a.txt", "missing.txt"}));
        connect(&work.zip, &cZip::Cancel,
                [](const QString &name, bool *cancel) { *cancel = name == "b.txt"; });
        QVERIFY(refused({"a.txt", "b.txt"}));
        work.zip.setAddComment(true);
        QVERIFY(refused({"a.txt"})); // no comment
        connect(&work.zip, &cZip::CommentRequest,
                [](QString *comment, bool *) { *comment = "  Weekly backup "; });
        work.zip.setEncrypt(true);
        QVERIFY(refused({"a.txt"})); // no password
        QList<bool> confirms;
        connect(&work.zip, &cZip::PasswordRequest, [&](QString *text, int, bool confirm, bool *) {
            *text = confirm && confirms.size() == 1 ? "two" : "s3cret";
            confirms << confirm;
        });
        QVERIFY(refused({"a.txt"})); // the first confirmation differs

        QVERIFY(work.run({"a.txt"}) && work.zip.Success());
        QCOMPARE(confirms, (QList<bool>{false, true, false, true}));
        QCOMPARE(readAes(work.zip.ZipFile(), "s3cret"), "a.txt");
        QVERIFY(readAes(work.zip.ZipFile(), "wrong").isEmpty());
        QCOMPARE(Readers::zipComment(work.zip.ZipFile()), "Weekly backup");
    }

    void freshenUpdateAppendReplace_data()
    {
        QTest::addColumn<QString>("mode");         // the setting turned on for the second run
        QTest::addColumn<QStringList>("contents"); // of a.txt, b.txt, c.txt
        QTest::newRow("freshen") << "FreshenFiles" << QStringList{"new a", "old b", ""};
        QTest::newRow("update") << "UpdateOnlyIfNewer" << QStringList{"new a", "old b", "c"};
        QTest::newRow("append") << "AllowAppend" << QStringList{"new a", "new b", "c"};
        QTest::newRow("replace") << "" << QStringList{"new a", "new b", "c"};
    }

    void freshenUpdateAppendReplace()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, contents);
        Workspace work({"gone.txt"});
        // An odd second: entries round it down, yet the file is no newer.
        const QDateTime packed(QDate(2020, 1, 1), QTime(12, 0, 1));
        writeFile(work.folder.filePath("a.txt"), "old a", packed);
        writeFile(work.folder.filePath("b.txt"), "old b", packed);
        QVERIFY(work.run({"*.txt"}));
        QFile::remove(work.folder.filePath("gone.txt"));
        writeFile(work.folder.filePath("a.txt"), "new a", packed.addSecs(3600));
        writeFile(work.folder.filePath("b.txt"), "new b", packed);
        writeFile(work.folder.filePath("c.txt"), "c");
        if (!mode.isEmpty())
            work.zip.setProperty(mode.toLatin1(), true);
        QVERIFY(work.run({"*"}) && work.zip.Success()); // the archive itself lies in the folder
        QCOMPARE(QStringList({work.unzip("a.txt"), work.unzip("b.txt"), work.unzip("c.txt")}),
                 contents);
        QCOMPARE(work.entries().contains("gone.txt"), !mode.isEmpty()); // only replacing drops it
        QVERIFY(!work.entries().contains("out.zip"));
    }

    // A NUL marks a binary file, never converted.
    void lineEnds()
    {
        Workspace work;
        const QByteArray text("\na\r\nb\n"), binary("a\r\n\n\0b", 6);
        writeFile(work.folder.filePath("a.txt"), text);
        writeFile(work.folder.filePath("b.bin"), binary);
        const std::tuple<bool, bool, QByteArray> conversions[] = {
            {false, false, text}, {true, false, "\na\nb\n"}, {false, true, "\r\na\r\nb\r\n"}};
        for (const auto &[toLf, toCrLf, stored] : conversions) {
            work.zip.setConvertCRLFToLF(toLf);
            work.zip.setConvertLFToCRLF(toCrLf);
            QVERIFY(work.run({"a.txt", "b.bin"}) && work.zip.Success());
            QCOMPARE(work.unzip("a.txt"), stored);
            QCOMPARE(work.unzip("b.bin"), binary);
        }
    }

    // The delete flag (offset 80) is set only while a deletion runs.
    void messageLevelsAndDeleting()
    {
        Workspace work({"a.txt", "b.txt", "sub/c.txt"});
        work.zip.setStoreFolderNames(true);
        QStringList messages;
        connect(&work.zip, &cZip::Progress, [&](int, const QString &msg) {
            messages << QString::number(work.zip.optionRecord().deleteEntries) + msg;
        });
        const auto messagesAt = [&](int level, const QStringList &names, bool deleting = false) {
            messages.clear();
            work.zip.setMessageLevel(level);
            work.run(names, deleting);
            return messages;
        };
        const QStringList all{"a.txt", "b.txt", "sub/c.txt"};
        const QStringList normal{"0  adding: a.txt (deflated)", "0  adding: b.txt (deflated)",
                                 "0  adding: sub\\c.txt (deflated)"};
        QCOMPARE(messagesAt(1, all), QStringList());
        QCOMPARE(messagesAt(0, all).mid(0, 3), normal);
        QVERIFY(messages.size() > 3);
        QCOMPARE(messagesAt(2, all), normal);

        QVERIFY(work.run({"missing.txt"}));
        QCOMPARE(messagesAt(2, {"B.TXT", "sub/*"}, true),
                 (QStringList{"1deleting: b.txt", "1deleting: sub\\c.txt"}));
        QCOMPARE(work.entries(), QStringList{"a.txt"});
        QVERIFY(!work.zip.Success()); // still the last Zip's verdict
        QCOMPARE(work.zip.optionRecord().deleteEntries, 0);
    }
};

QTEST_GUILESS_MAIN(tst_cZip)
#include "tst_cZip.moc"
