#include "app/FileAssociation.h"

#include "program/ProgramFolder.h"

#include "cardset/CheckedFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file as a whole, so a crash never leaves half an entry.
// Returns whether the file now holds `bytes`; `changed` tells whether it
// held anything else before.
bool putFile(const QString &path, const QByteArray &bytes, bool &changed)
{
    if (QFileInfo(path).isFile() && contentsOf(path) == bytes) {
        // Written again all the same: the rule is to rewrite at every start.
        return CheckedFileWriter::writeFile(path, bytes).ok();
    }
    changed = true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return CheckedFileWriter::writeFile(path, bytes).ok();
}

void refreshInBackground(const QString &tool, const QString &folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    // Their notes would end up in the terminal that started Quillo.
    QProcess process;
    process.setProgram(program);
    process.setArguments({folder});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

bool isPlainText(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

#ifdef Q_OS_WIN
FileAssociation::Outcome writeRegistry(const QString &programPath)
{
    const QString program = QDir::toNativeSeparators(programPath);
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    const QString type = FileAssociation::typeName();
    classes.setValue(QStringLiteral(".ql3/Default"), type);
    classes.setValue(type + QStringLiteral("/Default"), type);
    classes.setValue(type + QStringLiteral("/DefaultIcon/Default"), program + QStringLiteral(",0"));
    classes.setValue(type + QStringLiteral("/Shell/Open/Command/Default"), QLatin1Char('"') + program + QStringLiteral("\" \"%1\""));
    classes.sync();
    FileAssociation::Outcome outcome;
    outcome.written = classes.status() == QSettings::NoError;
    outcome.changed = true;
    return outcome;
}
#endif

} // namespace

QByteArray FileAssociation::mimeDefinition()
{
    // Globs match without regard to letter case unless told otherwise, as
    // the program itself compares extensions.
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                             "  <mime-type type=\"application/x-quillo\">\n"
                             "    <comment>Quillo-Datei</comment>\n"
                             "    <comment xml:lang=\"de\">Quillo-Datei</comment>\n"
                             "    <icon name=\"quillo\"/>\n"
                             "    <glob pattern=\"*.ql3\"/>\n"
                             "  </mime-type>\n"
                             "</mime-info>\n");
}

QString FileAssociation::execArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar c : path)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString argument;
    if (needsQuotes) {
        argument += QLatin1Char('"');
        for (QChar c : path) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                argument += QLatin1Char('\\');
            argument += c;
        }
        argument += QLatin1Char('"');
    } else {
        argument = path;
    }
    // A literal percent sign is doubled in Exec; then the whole line is a
    // string value, whose own escape character is the backslash.
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return argument;
}

QByteArray FileAssociation::desktopEntry(const QString &programPath, const QString &iconPath)
{
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Version=1.0\n"
                                   "Name=Quillo\n"
                                   "GenericName=Karteikartenprogramm\n"
                                   "Comment=Karteikarten bearbeiten, lernen und drucken\n"
                                   "Keywords=Karteikarten;Lernkartei;Vokabeln;Lernen;\n");
    entry += QStringLiteral("Exec=") + execArgument(programPath) + QStringLiteral(" %f\n");
    if (!iconPath.isEmpty())
        entry += QStringLiteral("Icon=") + iconPath + QLatin1Char('\n');
    entry += QStringLiteral("Terminal=false\n"
                            "MimeType=application/x-quillo;\n"
                            "Categories=Education;\n");
    return entry.toUtf8();
}

FileAssociation::Outcome FileAssociation::write(const QString &programPath, const QString &iconPath, const QString &dataHome,
                                                bool refreshCaches)
{
    Outcome outcome;
    // A path that a desktop entry cannot carry is left alone rather than
    // written wrong.
    if (dataHome.isEmpty() || programPath.isEmpty() || !isPlainText(programPath) || !isPlainText(iconPath))
        return outcome;
    const QDir data(dataHome);
    bool mimeChanged = false;
    bool desktopChanged = false;
    const bool mimeWritten = putFile(data.filePath(QStringLiteral("mime/packages/") + mimeFileName()), mimeDefinition(), mimeChanged);
    const bool desktopWritten =
        putFile(data.filePath(QStringLiteral("applications/") + desktopFileName()), desktopEntry(programPath, iconPath), desktopChanged);
    outcome.written = mimeWritten && desktopWritten;
    outcome.changed = mimeChanged || desktopChanged;
    if (!refreshCaches)
        return outcome;
    // The tools run on their own; start-up does not wait for them.
    if (mimeChanged || !QFileInfo::exists(data.filePath(QStringLiteral("mime/mime.cache"))))
        refreshInBackground(QStringLiteral("update-mime-database"), data.filePath(QStringLiteral("mime")));
    if (desktopChanged)
        refreshInBackground(QStringLiteral("update-desktop-database"), data.filePath(QStringLiteral("applications")));
    return outcome;
}

FileAssociation::Outcome FileAssociation::writeForRunningProgram()
{
    const QString program = QCoreApplication::applicationFilePath();
#ifdef Q_OS_WIN
    return writeRegistry(program);
#else
    const QString icon = ProgramFolder::filePath(QStringLiteral("quillo.png"));
    return write(program, QFileInfo(icon).isFile() ? icon : QStringLiteral("quillo"),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}
