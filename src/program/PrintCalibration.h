#pragma once

#include <QtGlobal>

// The program-wide corrections of a printer that does not centre its
// printable area, in millimetres (portrait HUX/HUY, landscape QUX/QUY),
// and the width of the cut lines in printer pixels.
struct PrintCalibration
{
    qint32 HUX = 0;
    qint32 HUY = 0;
    qint32 QUX = 0;
    qint32 QUY = 0;
    quint16 Schnittkante = 1;
};
