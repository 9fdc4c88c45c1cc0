#pragma once

#include <QString>
#include <QStringList>

// The line-based settings text of card set files and of the program
// settings: "[Section]" headers and "Key=Value" lines ending in CR LF.
// Sections and keys match ignoring letter case and surrounding blanks; the
// first match wins. Every write rewrites the whole file at once, and so does
// release; a rewrite that fails leaves the file as it was and, by design,
// tells no one.
//
// A line is stored in code page 1252 when it fits. A line that needs other
// characters is stored as the UTF-8 byte order mark and the line in UTF-8;
// a line without the mark is always read as code page 1252, so that what was
// written reads back exactly and stored files read as they always did.
class IniText
{
public:
    enum class Mode { ReadWrite, ReadOnly };

    // ReadOnly never touches the file: for other programs' files that must
    // stay as they are.
    explicit IniText(const QString &path, Mode mode = Mode::ReadWrite);
    // A text held in memory only, starting from these bytes: no file is
    // read or written.
    explicit IniText(QByteArrayView bytes);
    ~IniText();
    IniText(const IniText &) = delete;
    IniText &operator=(const IniText &) = delete;

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    qint32 ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, qint32 value);
    void WriteBool(const QString &section, const QString &key, bool value);

    // Writes the whole line list back; false when that failed.
    bool UpdateFile();
    // Writes back once more and detaches from the file; the destructor does
    // it for an object not released before.
    void release();

    const QStringList &lines() const { return m_lines; }
    const QString &path() const { return m_path; }

    // The whole text as it is stored.
    QByteArray text() const { return serialize(m_lines); }

    // The text's lines from stored bytes, and back.
    static QStringList parse(QByteArrayView bytes);
    static QByteArray serialize(const QStringList &lines);
    static QString trimBlanks(const QString &text);

private:
    int findValueLine(const QString &section, const QString &key) const;

    QString m_path;
    QStringList m_lines;
    Mode m_mode = Mode::ReadWrite;
    bool m_inMemory = false;
    bool m_released = false;
};
