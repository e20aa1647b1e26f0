#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// A folder the game reads and writes in, opened once: its files are opened,
// created, renamed and removed relative to it, so that a folder swapped for
// a link after the opening redirects none of them. A file is only ever
// opened where a regular file stands: a symbolic link, a pipe, a device or a
// folder in its place is never followed, read or written through, and no
// open waits for another process.
//
// The folder itself is reached one folder at a time from the top. A
// symbolic link on the way is followed where it leads into a folder of the
// player's own, or where the administrator made it into one of the
// administrator's (as /home into another disk); any other link leads into
// another user's folder: the folder is then still read, but nothing may be
// written there.
class Folder
{
public:
    // Where the folder is missing, `create` makes it and the folders on the
    // way to it.
    enum class Missing { Stay, Create };
    explicit Folder(const QString &path, Missing missing = Missing::Stay);
    ~Folder();
    Folder(Folder &&other) noexcept;
    Folder &operator=(Folder &&other) noexcept;
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    QString path() const { return m_path; }   // as given, with a trailing separator
    QString filePath(const QString &name) const { return m_path + name; }
    bool isOpen() const;
    QString error() const { return m_error; }   // why it is not open
    bool leadsIntoAnotherUsersFolder() const { return m_intoOthers; }
    // Why nothing may be written here even where the system would allow
    // it, or an empty text.
    QString writeRefusal() const;

    // The names of the folder's entries ("." and ".." left out).
    QStringList names() const;
    // The entry of that name, matched without regard to letter case where
    // there is no exact match; `name` itself where there is none at all.
    QString findName(const QString &name) const;

    enum class Entry { Missing, File, Other };   // Other: a link, a pipe, a folder...
    Entry entry(const QString &name) const;

    // An open file of the folder; closed when it goes.
    class File
    {
    public:
        File();
        ~File();
        File(File &&other) noexcept;
        File &operator=(File &&other) noexcept;
        File(const File &) = delete;
        File &operator=(const File &) = delete;

        bool isOpen() const;
        qint64 size() const;   // as it was opened
        // Up to `bytes` more bytes, after what *out holds already; fewer
        // only at the end of the file.
        bool read(qint64 bytes, QByteArray *out, QString *why);
        bool write(const QByteArray &bytes, QString *why);
        bool sync(QString *why);   // the content reaches the disk
        bool close(QString *why);
        // What tells this file from any other where the system keeps that
        // (device and file number); empty elsewhere.
        QByteArray identity() const;
        // The identity with the size and the times of the last change: a
        // file whose stamp is the same has not been written since.
        QByteArray stamp() const;

    private:
        friend class Folder;
        struct Handle;
        std::unique_ptr<Handle> m_handle;
    };

    enum class Opened { File, Missing, NotAFile, Failed };
    // For reading, where a regular file stands; *why says why not. In a
    // folder that could not be opened every file is missing.
    Opened openForReading(const QString &name, File *file, QString *why) const;
    // A small file whole: where it is larger than maxBytes it is NotAFile
    // (*why says so) and not read.
    Opened readSmallFile(const QString &name, qint64 maxBytes, QByteArray *bytes, QString *why) const;

    // A new file for writing, where no entry of that name stands yet.
    bool createNew(const QString &name, File *file, QString *why) const;
    // The permissions of the regular file `name`, where there is one, given
    // to `file`.
    void copyPermissions(const QString &name, File &file) const;
    // `from` takes the place of `to` in one step: an entry that stands at
    // `to` is replaced, never followed.
    bool renameOver(const QString &from, const QString &to, QString *why) const;
    // What tells the entry `name` from any other file, as File::identity
    // does for an open file; empty for none.
    QByteArray identity(const QString &name) const;
    bool remove(const QString &name, QString *why = nullptr) const;
    // The renames and removals made so far survive a power cut.
    bool sync(QString *why) const;

    // Why a new file of a few bytes cannot be written here (no space left,
    // over quota, read-only, a file size limit, no permission), or an empty
    // text where it can. The trial file is removed again.
    QString whyNoFileCanBeWritten() const;

    // The lock of the folder's writers: the file `name`, made by whoever
    // holds the lock and removed when they let it go. A holder's file names
    // its process as Qt's lock files do, and a holder that died is noticed
    // at once.
    class Lock
    {
    public:
        enum class Result {
            Taken,
            Held,           // another live holder
            HeldByAnother,  // left by another user's process, which cannot be cleared
            NotAFile,       // something other than a regular file stands at the name
            Failed          // the file cannot be made (*why)
        };
        Lock();
        ~Lock();   // lets it go
        Lock(Lock &&other) noexcept;
        Lock &operator=(Lock &&other) noexcept;
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;
        bool isHeld() const;

    private:
        friend class Folder;
        struct State;
        std::unique_ptr<State> m_state;
    };
    // Waits up to waitMs for a holder to let it go.
    Lock::Result lock(const QString &name, int waitMs, Lock *lock, QString *why) const;

    // True where a file that some process has open for reading cannot be
    // replaced (Windows): readers of a shared file then take its lock too.
    static bool readersBlockReplace();

    // Whether files written in `path` (or where it would be made) would be
    // written through a link into another user's folder.
    static bool pathLeadsIntoAnotherUsersFolder(const QString &path);

private:
    struct Handle;
    static QString withSeparator(QString path);
    void open(Missing missing);
    // What a holder writes into its lock file: its process, as Qt's lock
    // files name it, so that a copy using those understands it.
    static QByteArray lockFileContent();

    QString m_path;
    QString m_error;
    bool m_intoOthers = false;
    std::unique_ptr<Handle> m_handle;
};
