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
    bool run(const QStringList &names)
    {
        zip.ClearFileSpecs();
        for (const QString &name : names)
            if (zip.AddFileSpec(name) != 0)
                return false;
        return zip.Zip(nullptr);
    }
    QStringList entries() const { return Readers::zipEntries(zip.ZipFile()); }
    // Every entry's bytes, in the archive's order.
    QByteArray contents() const { return Readers::zipEntry(zip.ZipFile(), "*"); }

    QTemporaryDir folder;
    cZip zip;
};

// Settings for finding files: store folder names, give folders entries, recurse, take hidden files.
enum Options { Names = 1, Folders = 2, Recurse = 4, Hidden = 8 };

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
            {"BasePath", "/srv/Bräu", 4, 1},         {"IncludeSystemAndHiddenFiles", true, 24, 1},
            {"StoreDirectories", true, 36, 0},       {"MessageLevel", 0, 48, 1},
            {"MessageLevel", 1, 52, 1},              {"StoreFolderNames", true, 64, 0},
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
        connect(&work.zip, &cZip::Cancel,
                [](const QString &name, bool *cancel) { *cancel = name == "b.txt"; });
        QVERIFY(work.run({"a.txt", "b.txt"}) && !work.zip.Success());
        QFile old(work.zip.ZipFile());
        QVERIFY(old.open(QIODevice::ReadOnly) && old.readAll() == "the old archive");

        QVERIFY(work.run({"a.txt"}) && work.zip.Success());
        QCOMPARE(QDir::currentPath(), QDir(work.folder.filePath("sub")).canonicalPath());
        QCOMPARE(work.contents(), "sub/a.txt");
    }

    // A second run replaces the archive with the files there now; the
    // archive, though it matches the pattern, is not packed into itself.
    void secondRunReplacesTheArchive()
    {
        Workspace work({"a.txt", "gone.txt"});
        QVERIFY(work.run({"*"}));
        QFile::remove(work.folder.filePath("gone.txt"));
        work.write("b.txt", "new b");
        QVERIFY(work.run({"*"}) && work.zip.Success());
        QCOMPARE(work.entries(), (QStringList{"a.txt", "b.txt"}));
        QCOMPARE(work.contents(), "a.txtnew b");
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
    // turned into "\" but for the first character; Cancel carries them as they are.
    void messages()
    {
        Workspace work({"a.txt", "b.txt", "sub/c.txt"});
        work.zip.setStoreFolderNames(true);
        QStringList messages, serviced;
        connect(&work.zip, &cZip::Progress, [&](int count, const QString &msg) {
            QCOMPARE(count, 1);
            messages << msg;
        });
        const auto messagesAt = [&](int level, const QStringList &names) {
            work.zip.setMessageLevel(level);
            work.run(names);
            return std::exchange(messages, {});
        };
        const QStringList all{"a.txt", "b.txt", "sub/c.txt"};
        const QStringList normal{"  adding: a.txt (deflated)", "  adding: b.txt (deflated)",
                                 "  adding: sub\\c.txt (deflated)"};
        QCOMPARE(messagesAt(1, all), QStringList());
        const QString written = "/" + work.zip.ZipFile().mid(1).replace('/', '\\') + " written";
        QCOMPARE(messagesAt(0, all), normal + QStringList{written});
        QCOMPARE(messagesAt(2, all), normal);
        QCOMPARE(messagesAt(2, {"missing.txt"}), QStringList{"zip error: name not matched: missing.txt"});

        connect(&work.zip, &cZip::Cancel, [&](const QString &msg) { serviced << msg; });
        connect(&work.zip, &cZip::Cancel, [](const QString &, bool *cancel) { *cancel = true; });
        mZip::begin(&work.zip);
        const QByteArray xs(2000, 'x');
        for (int length : {1, 2, 1023, 1024})
            QCOMPARE(mZip::print(xs.constData(), length) + mZip::service(xs.constData(), length),
                     length == 2 || length == 1023 ? 1 : 0);
        const char path[] = "/Bräu/deep/a.txt\0junk";
        QCOMPARE(mZip::print(path, sizeof path) + mZip::service(path, sizeof path), 1);
        QCOMPARE(messages, (QStringList{"xx", QString(1023, 'x'), "/Bräu\\deep\\a.txt"}));
        QCOMPARE(serviced, (QStringList{"xx", QString(1023, 'x'), "/Bräu/deep/a.txt"}));
    }
};

QTEST_GUILESS_MAIN(tst_cZip)
#include "tst_cZip.moc"
