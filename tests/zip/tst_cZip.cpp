#include "Readers.h"
#include "cZip.h"
#include "mZip.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

#include <memory>

namespace {

// A temporary folder, the BasePath where runs look for files, with files holding their own names;
// the archive is out.zip there.
struct Workspace
{
    explicit Workspace(std::initializer_list<const char *> files = {})
    {
        for (const char *name : files)
            write(name, name);
        zip.setBasePath(folder.path());
        zip.setZipFile(folder.filePath("out.zip"));
    }
    void write(const QString &name, const QByteArray &bytes, const QDateTime &modified = {})
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
            file.write(bytes) != bytes.size() || !file.flush() ||
            (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime)))
            qFatal("could not write %s", qPrintable(path));
    }
    bool run(const QStringList &names, bool deleting = false)
    {
        zip.ClearFileSpecs();
        for (const QString &name : names)
            if (zip.AddFileSpec(name) != 0)
                return false;
        return deleting ? zip.Delete(nullptr) : zip.Zip(nullptr);
    }
    QStringList entries() const { return Readers::zipEntries(zip.ZipFile()); }
    // Every entry's bytes, in the archive's order.
    QByteArray contents() const { return Readers::zipEntry(zip.ZipFile(), "*"); }

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

// Settings for finding files: store folder names, give folders entries, recurse, take hidden files.
enum Options { Names = 1, Folders = 2, Recurse = 4, Hidden = 8 };

// Line ends to convert, and a file that a NUL marks as binary, never converted.
const QByteArray text("\na\r\nb\n"), binary("a\r\n\n\0b", 6);

} // namespace

class tst_cZip : public QObject
{
    Q_OBJECT
private slots:
    void optionRecord_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("stored");
        // The base folder travels as handle 1 of the texts beside the record.
        const std::tuple<const char *, QVariant, int, int> settings[] = {
            {"BasePath", "/srv/Bräu", 4, 1},   {"Encrypt", true, 20, 1},
            {"StoreVolumeLabel", true, 28, 1}, {"IncludeSystemAndHiddenFiles", true, 24, 1},
            {"StoreDirectories", true, 36, 0}, {"MessageLevel", 0, 48, 1},
            {"MessageLevel", 1, 52, 1},        {"ConvertCRLFToLF", true, 56, 1},
            {"ConvertLFToCRLF", true, 60, 1},  {"StoreFolderNames", true, 64, 0},
            {"AllowAppend", true, 68, 1},      {"UpdateOnlyIfNewer", true, 84, 1},
            {"FreshenFiles", true, 88, 1},     {"AddComment", true, 100, 1},
            {"RecurseSubDirs", true, 116, 2}};
        for (const auto &[name, value, offset, stored] : settings)
            QTest::addRow("%s %d", name, offset) << QByteArray(name) << value << offset << stored;
    }

    // Each setting reads back and moves its own field of the record, and no other byte.
    void optionRecord()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(int, offset);
        QFETCH(int, stored);
        cZip zip;
        // Raw data: it follows the record as the settings change.
        const auto record = QByteArray::fromRawData(
            reinterpret_cast<const char *>(&zip.optionRecord()), sizeof(ZipOptionRecord));
        QByteArray defaults(128, '\0');
        defaults[36] = defaults[64] = 1; // no folder entries, no folder names
        QVERIFY(zip.setProperty(property, value));
        zip.setMessageLevel(5); // outside 0 to 2: ignored
        QCOMPARE(zip.property(property), value);
        QCOMPARE(record, defaults.left(offset) + char(stored) + defaults.mid(offset + 1));
        QCOMPARE(zip.optionTexts(),
                 property == "BasePath" ? QList{value.toString().toUtf8()} : QList<QByteArray>());
        QVERIFY(zip.setProperty(property, cZip().property(property)));
        QCOMPARE(record, defaults);
    }

    // Answers are trimmed of spaces; a password fills exactly its length, at most 256 bytes, a
    // comment at most 255 and a NUL. A blank answer or a cancel refuses, and then every later
    // request of the run is refused unasked.
    void requests_data()
    {
        QTest::addColumn<int>("maxLength");      // 0 asks for the comment
        QTest::addColumn<QString>("answer");     // "cancel" cancels
        QTest::addColumn<QByteArray>("written"); // null: refused
        QTest::newRow("password, padded") << 10 << "  secret " << QByteArray("secret\0\0\0\0", 10);
        QTest::newRow("password, cut") << 4 << "secretive" << QByteArray("secr");
        QTest::newRow("password, long") << 300 << QString(300, 'p') << QByteArray(256, 'p');
        QTest::newRow("comment, long") << 0 << QString(300, 'c') << QByteArray(255, 'c') + '\0';
        QTest::newRow("password, blank") << 8 << "   " << QByteArray();
        QTest::newRow("password, cancel") << 8 << "cancel" << QByteArray();
        QTest::newRow("comment, blank") << 0 << "   " << QByteArray();
        QTest::newRow("comment, cancel") << 0 << "cancel" << QByteArray();
    }

    void requests()
    {
        QFETCH(int, maxLength);
        QFETCH(QString, answer);
        QFETCH(QByteArray, written);
        cZip zip;
        // Only the first request gets the answer; one asked later would get a good one.
        const auto answerWith = [&](QString *text, int max, bool, bool *cancel) {
            QCOMPARE(max, maxLength);
            *cancel = answer == "cancel";
            *text = std::exchange(answer, "again");
        };
        connect(&zip, &cZip::PasswordRequest, answerWith);
        connect(&zip, &cZip::CommentRequest,
                [&](QString *text, bool *cancel) { answerWith(text, 0, false, cancel); });
        mZip::begin(&zip);
        QByteArray buffer(512, '#');
        const auto request = [&](int max) {
            return max ? mZip::password(buffer.data(), max, "prompt", "archive")
                       : mZip::comment(buffer.data());
        };
        QCOMPARE(request(maxLength), written.isNull() ? 1 : 0);
        if (written.isNull())
            QCOMPARE(request(8) + request(0), 2);
        else
            QCOMPARE(buffer.left(written.size() + 1), written + '#');
    }

    void entryNames_data()
    {
        QTest::addColumn<QString>("names"); // "@" stands for the folder's absolute path
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("entries"); // none: the run fails
        const QString allTxt = "a.txt sub/b.txt sub/deep/a.txt sub/deep/c.txt";
        QTest::newRow("bare names, name in any case")
            << "A.TXT sub/b.txt @/sub/deep/c.txt" << 0 << "a.txt b.txt c.txt";
        QTest::newRow("folder names, pattern in any case")
            << "a.txt sub/*.TXT" << int(Names) << "a.txt sub/b.txt";
        QTest::newRow("folder keeps its case") << "SUB/*.txt" << int(Names) << "";
        QTest::newRow("folder alone") << "sub" << (Names | Folders) << "sub/";
        QTest::newRow("recursive, folder entries")
            << "./sub/" << (Names | Folders | Recurse)
            << "sub/ sub/b.txt sub/deep/ sub/deep/a.txt sub/deep/c.txt";
        QTest::newRow("folder entries need folder names")
            << "sub" << (Folders | Recurse) << "b.txt a.txt c.txt";
        QTest::newRow("one bare name, two files") << "*.txt" << int(Recurse) << "";
        QTest::newRow("hidden left out") << "*" << (Names | Recurse) << allTxt;
        QTest::newRow("hidden taken")
            << "*" << (Names | Recurse | Hidden) << ".dot/d.txt .hidden " + allTxt;
    }

    void entryNames()
    {
        QFETCH(QString, names);
        QFETCH(int, options);
        QFETCH(QString, entries);
        Workspace work(
            {"a.txt", "sub/b.txt", "sub/deep/a.txt", "sub/deep/c.txt", ".hidden", ".dot/d.txt"});
        work.zip.setStoreFolderNames(options & Names);
        work.zip.setStoreDirectories(options & Folders);
        work.zip.setRecurseSubDirs(options & Recurse);
        work.zip.setIncludeSystemAndHiddenFiles(options & Hidden);
        QVERIFY(work.run(names.replace('@', work.folder.path()).split(' ')));
        QCOMPARE(work.zip.Success(), !entries.isEmpty());
        QCOMPARE(work.entries().join(' '), entries);
    }

    // File names count from 1, and a run takes at most 1022 of them. A run that cannot start
    // leaves Success() true; a refused one leaves the old archive as it was.
    void fileNamesAndRefusals()
    {
        Workspace work({"sub/a.txt", "sub/b.txt"});
        work.write("out.zip", "the old archive");
        QStringList names(cZip::maxFileSpecs, QStringLiteral("missing.txt"));
        names[0] = "a.txt";
        work.zip.setBasePath(work.folder.filePath("no such folder"));
        QVERIFY(!work.run(names));
        QString error;
        QCOMPARE(work.zip.FileSpecCount(), cZip::maxFileSpecs);
        QCOMPARE(work.zip.FileSpec(1, &error) + work.zip.FileSpec(1022, &error),
                 "a.txtmissing.txt");
        QVERIFY(error.isEmpty());
        for (int i : {-1, 0, 1023})
            QVERIFY(work.zip.FileSpec(i, &error).isEmpty() && !std::exchange(error, {}).isEmpty());

        // Runs enter BasePath, and no second run starts while one lasts.
        work.zip.setBasePath(work.folder.filePath("sub"));
        connect(&work.zip, &cZip::Progress,
                [&] { QVERIFY(!cZip().Zip(&error) && !std::exchange(error, {}).isEmpty()); });
        QVERIFY(work.run(names) && !work.zip.Success()); // a.txt packed, then missing.txt not found
        QVERIFY(!work.run(names << "one too many") && work.zip.Success());
        QVERIFY(!work.zip.Delete(&error) && !error.isEmpty());
        connect(&work.zip, &cZip::Cancel,
                [](const QString &name, bool *cancel) { *cancel = name == "b.txt"; });
        QVERIFY(work.run({"a.txt", "b.txt"}) && !work.zip.Success());
        work.zip.setAddComment(true);
        QVERIFY(work.run({"a.txt"}) && !work.zip.Success()); // no comment
        connect(&work.zip, &cZip::CommentRequest,
                [](QString *comment, bool *) { *comment = "  Weekly backup "; });
        work.zip.setEncrypt(true);
        QVERIFY(work.run({"a.txt"}) && !work.zip.Success()); // no password
        QList<bool> confirms;
        connect(&work.zip, &cZip::PasswordRequest, [&](QString *text, int, bool confirm, bool *) {
            *text = confirm && confirms.size() == 1 ? "two" : "s3cret";
            confirms << confirm;
        });
        QVERIFY(work.run({"a.txt"}) && !work.zip.Success()); // the first confirmation differs
        QFile old(work.zip.ZipFile());
        QVERIFY(old.open(QIODevice::ReadOnly) && old.readAll() == "the old archive");

        QVERIFY(work.run({"a.txt"}) && work.zip.Success());
        QCOMPARE(QDir::currentPath(), QDir(work.folder.filePath("sub")).canonicalPath());
        QCOMPARE(confirms, (QList<bool>{false, true, false, true}));
        QCOMPARE(readAes(work.zip.ZipFile(), "s3cret"), "sub/a.txt");
        QVERIFY(readAes(work.zip.ZipFile(), "wrong").isEmpty());
        QCOMPARE(Readers::zipComment(work.zip.ZipFile()), "Weekly backup");
    }

    void secondRun_data()
    {
        QTest::addColumn<QString>("setting"); // turned on for the second run
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("contents");
        const QStringList kept{"a.txt", "b.txt", "gone.txt"}, added{"c.txt", "d.bin"};
        QTest::newRow("freshen") << "FreshenFiles" << kept << QByteArray("new aold bgone.txt");
        QTest::newRow("update") << "UpdateOnlyIfNewer" << kept + added
                                << "new aold bgone.txt" + text + binary;
        QTest::newRow("append") << "AllowAppend" << kept + added
                                << "new anew bgone.txt" + text + binary;
        const QStringList replaced{"a.txt", "b.txt", "c.txt", "d.bin"};
        QTest::newRow("CRLF to LF")
            << "ConvertCRLFToLF" << replaced << "new anew b\na\nb\n" + binary;
        QTest::newRow("LF to CRLF")
            << "ConvertLFToCRLF" << replaced << "new anew b\r\na\r\nb\r\n" + binary;
    }

    // The second run packs every file, the archive itself among them.
    void secondRun()
    {
        QFETCH(QString, setting);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, contents);
        Workspace work({"gone.txt"});
        // An odd second: entries round it down, yet the file is no newer.
        const QDateTime packed(QDate(2020, 1, 1), QTime(12, 0, 1));
        work.write("a.txt", "old a", packed);
        work.write("b.txt", "old b", packed);
        QVERIFY(work.run({"*.txt"}));
        QFile::remove(work.folder.filePath("gone.txt"));
        work.write("a.txt", "new a", packed.addSecs(3600));
        work.write("b.txt", "new b", packed);
        work.write("c.txt", text);
        work.write("d.bin", binary);
        work.zip.setProperty(setting.toLatin1(), true);
        QVERIFY(work.run({"*"}) && work.zip.Success());
        QCOMPARE(work.entries(), entries);
        QCOMPARE(work.contents(), contents);
    }

    void manyFiles_data()
    {
        QTest::addColumn<int>("files");
        for (const int files : {1, 8, 9, 20})
            QTest::addRow("%d files", files) << files;
    }

    // The first files are deflated side by side, the rest as the archive is
    // written: either way each entry holds its file's bytes, deflated, under
    // the file's time, in the order the files were found.
    void manyFiles()
    {
        QFETCH(int, files);
        Workspace work;
        const QDateTime modified(QDate(2021, 3, 4), QTime(5, 6, 8));
        QStringList names;
        QByteArray all;
        for (int i = 0; i < files; ++i) {
            names << QString::asprintf("f%02d.bin", i);
            QByteArray bytes;
            for (int line = 0; line < 2000 + 500 * i; ++line)
                bytes += QByteArray::number(line * (i + 7) % 1009) + ',';
            work.write(names.last(), bytes, modified);
            all += bytes;
        }
        QVERIFY(work.run({"*.bin"}) && work.zip.Success());
        QCOMPARE(work.entries(), names);
        QCOMPARE(work.contents(), all);
        const std::unique_ptr<zip_t, void (*)(zip_t *)> zip(
            zip_open(QFile::encodeName(work.zip.ZipFile()).constData(), ZIP_RDONLY, nullptr), zip_discard);
        for (zip_int64_t index = 0; index < files; ++index) {
            zip_stat_t stat;
            QVERIFY(zip && zip_stat_index(zip.get(), index, 0, &stat) == 0);
            QCOMPARE(stat.comp_method, ZIP_CM_DEFLATE);
            QVERIFY(stat.comp_size < stat.size / 2);
            QCOMPARE(QDateTime::fromSecsSinceEpoch(stat.mtime), modified);
        }
    }

    // Progress carries texts of 2 to 1023 bytes with their terminating zero, read up to a NUL, "/"
    // turned into "\" but for the first character; Cancel carries them as they are. Each text here
    // starts with the delete flag (offset 80), set only while a deletion runs.
    void messages()
    {
        Workspace work({"a.txt", "b.txt", "sub/c.txt"});
        work.zip.setStoreFolderNames(true);
        QStringList messages, serviced;
        connect(&work.zip, &cZip::Progress, [&](int count, const QString &msg) {
            QCOMPARE(count, 1);
            messages << QString::number(work.zip.optionRecord().deleteEntries) + msg;
        });
        const auto messagesAt = [&](int level, const QStringList &names, bool deleting = false) {
            work.zip.setMessageLevel(level);
            work.run(names, deleting);
            return std::exchange(messages, {});
        };
        const QStringList all{"a.txt", "b.txt", "sub/c.txt"};
        const QStringList normal{"0  adding: a.txt (deflated)", "0  adding: b.txt (deflated)",
                                 "0  adding: sub\\c.txt (deflated)"};
        QCOMPARE(messagesAt(1, all), QStringList());
        const QString written = "0/" + work.zip.ZipFile().mid(1).replace('/', '\\') + " written";
        QCOMPARE(messagesAt(0, all), normal + QStringList{written});
        QCOMPARE(messagesAt(2, all), normal);
        QCOMPARE(messagesAt(2, {"missing.txt"}),
                 QStringList{"0zip error: name not matched: missing.txt"});
        QCOMPARE(messagesAt(2, {"B.TXT", "sub/*"}, true),
                 (QStringList{"1deleting: b.txt", "1deleting: sub\\c.txt"}));
        QCOMPARE(work.entries(), QStringList{"a.txt"});
        QVERIFY(!work.zip.Success()); // still the last Zip's verdict
        QCOMPARE(work.zip.optionRecord().deleteEntries, 0);

        connect(&work.zip, &cZip::Cancel, [&](const QString &msg) { serviced << msg; });
        connect(&work.zip, &cZip::Cancel, [](const QString &, bool *cancel) { *cancel = true; });
        mZip::begin(&work.zip);
        const QByteArray xs(2000, 'x');
        for (int length : {1, 2, 1023, 1024})
            QCOMPARE(mZip::print(xs.constData(), length) + mZip::service(xs.constData(), length),
                     length == 2 || length == 1023 ? 1 : 0);
        const char path[] = "/Bräu/deep/a.txt\0junk";
        QCOMPARE(mZip::print(path, sizeof path) + mZip::service(path, sizeof path), 1);
        QCOMPARE(messages, (QStringList{"0xx", "0" + QString(1023, 'x'), "0/Bräu\\deep\\a.txt"}));
        QCOMPARE(serviced, (QStringList{"xx", QString(1023, 'x'), "/Bräu/deep/a.txt"}));
    }
};

QTEST_GUILESS_MAIN(tst_cZip)
#include "tst_cZip.moc"
