#pragma once

#include <QByteArray>
#include <QtGlobal>

// One card: its two faces as the editor's RTF bytes (kept opaque here), its
// learning box and whether it is checked for printing and export.
struct Card
{
    QByteArray Front;
    QByteArray Back;
    qint32 Box = 1;
    bool Marked = false;

    bool operator==(const Card &) const = default;
};
