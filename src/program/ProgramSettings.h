#pragma once

#include "program/PrintCalibration.h"

#include <QString>

#include <array>

class IniText;

// The program-wide settings of section "Data" in "quillo.ini": the duplex
// feed order, the printer calibration, the page shifts, the cut edge, the
// user's folder for the scratch file and the boxes' review intervals. Read once at start, held in memory
// while the program runs, written back at shutdown.
class ProgramSettings
{
public:
    static QString fileName() { return QStringLiteral("quillo.ini"); }
    static QString section() { return QStringLiteral("Data"); }

    // The settings file in the program folder while that can be written
    // there; otherwise, and always for an installed program, in the user's
    // configuration folder, which is created, so the calibration survives
    // the run.
    static QString chooseFilePath(const QString &programFolder, const QString &configFolder, bool installed = false);
    static QString defaultFilePath();

    explicit ProgramSettings(const QString &filePath);

    const QString &filePath() const { return m_filePath; }

    // Reads every key in its order, each with its default, then writes the
    // file back unchanged (a missing file is created empty, a read-only one
    // made writable). Failures are silent.
    void read();
    // The same values without touching the file, for a program that only
    // looks at the settings (quillo-cli).
    void readOnly();
    // Writes "ZuZuE" to "Schnittkante", then "Abstand1" to "Abstand4", in
    // that order, each at once. "Temp" belongs to the user and is never
    // written.
    void write() const;

    // The folder named by "Temp" with a trailing separator ("\" counts as
    // one); empty when "Temp" is unset or only blanks.
    QString workFolder() const;
    static QString workFolder(const QString &temp);
    // This program's own scratch file: in the "Temp" folder when one is set,
    // otherwise in the system's folder for temporary files.
    QString makeWorkFilePath() const;

    bool ZuZuE = true;
    qint32 HUX = 0;
    qint32 HUY = 0;
    qint32 QUX = 0;
    qint32 QUY = 0;
    qint32 SX = 0;
    qint32 SY = 0;
    quint16 Schnittkante = 1;
    QString Temp;
    // Days until a card of box 1 to 4 is due again, each 1 to 365.
    static constexpr qint32 MinAbstand = 1;
    static constexpr qint32 MaxAbstand = 365;
    static constexpr std::array<qint32, 4> DefaultAbstand{1, 3, 7, 14};
    std::array<qint32, 4> Abstand = DefaultAbstand;

    PrintCalibration calibration() const { return {HUX, HUY, QUX, QUY, Schnittkante}; }

private:
    void readValues(const IniText &ini);

    QString m_filePath;
};
